// How the plug-in introduces itself to the host.
#pragma once

namespace okuzuke::plugin_info {

inline constexpr const char* kName = "DownlaodFunc";
// "okuzuke 出版社サイト検索"
inline constexpr const char* kTitle = "okuzuke \x8F\x6F\x94\xC5\x8E\xD0\x83\x54\x83\x43\x83\x67\x8C\x9F\x8D\xF5";
inline constexpr const char* kCredit = "okuzuke developers";
inline constexpr const char* kVersion = "1.2.3";
inline constexpr const char* kKind = "3";

}  // namespace okuzuke::plugin_info
