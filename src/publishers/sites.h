// Each publisher's site base: scheme and host, no closing "/". Request
// addresses are the base followed by a path that begins with "/"; cover
// addresses cut from a page are the base, "/" and the cut path.
#pragma once

#include <string_view>

namespace okuzuke::sites {

inline constexpr std::string_view kShueisha = "http://books.shueisha.co.jp";
inline constexpr std::string_view kShogakukan = "http://www.shogakukan.co.jp";
inline constexpr std::string_view kSBook = "http://www.s-book.net";
inline constexpr std::string_view kKodansha = "http://shop.kodansha.jp";
inline constexpr std::string_view kAkitaShoten = "http://www.akitashoten.co.jp";
inline constexpr std::string_view kKadokawa = "http://www.kadokawa.co.jp";
inline constexpr std::string_view kFujimiShobo = "http://www.fujimishobo.co.jp";
inline constexpr std::string_view kAsciiMediaWorks = "http://asciimw.jp";
inline constexpr std::string_view kFutabasha = "http://www.futabasha.co.jp";
inline constexpr std::string_view kEnterbrain = "http://www.enterbrain.co.jp";
inline constexpr std::string_view kMediaFactory = "http://www.mediafactory.co.jp";
inline constexpr std::string_view kGakken = "http://shop.gakken.co.jp";
inline constexpr std::string_view kWaniBooks = "http://www.wani.co.jp";
inline constexpr std::string_view kOhzora = "http://www.ohzora.co.jp";
inline constexpr std::string_view kHoubunsha = "http://www.houbunsha.co.jp";
inline constexpr std::string_view kMagGarden = "http://www.mag-garden.co.jp";

}  // namespace okuzuke::sites
