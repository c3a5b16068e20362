#include "core/dispatch.h"

#include <charconv>

#include "publishers/sites.h"
#include "text/isbn.h"

namespace okuzuke {

namespace S = sites;

// clang-format off
const std::array<DispatchRow, 16> kDispatchTable = {{
    {1, "Shueisha", {{{"978408", S::kShueisha,
        "/CGI/search/syousai_put.cgi?isbn_cd={L1-3}-{L4}-{L5-6}-{L7-12}-{L13}&mode=1"}}},
        SearchStage::None, ScraperId::Shueisha},
    {2, "Shogakukan", {{{"978409", S::kShogakukan,
        "/skygarden/owa/sol_detail?isbn={L}", "/skygarden/owa/sol_detail?isbn={I}"}}},
        SearchStage::None, ScraperId::Shogakukan},
    {3, "Hakusensha (s-book)", {{{"9784592", S::kSBook,
        "/plsql/slib_search?pat=i&text={L}"}}},
        SearchStage::SBook, ScraperId::SBook},
    {4, "Shodensha (s-book)", {{{"9784396", S::kSBook,
        "/plsql/slib_detail?isbn={L}"}}},
        SearchStage::None, ScraperId::SBook},
    {5, "Kodansha", {{{"978406", S::kKodansha,
        "/bc2_bc/search_view.jsp?b={I}"}}},
        SearchStage::None, ScraperId::Kodansha},
    {6, "Akita Shoten", {{{"9784253", S::kAkitaShoten,
        "/CGI/search/syousai_put.cgi?key=search&isbn={I}"}}},
        SearchStage::None, ScraperId::AkitaShoten},
    {7, "Kadokawa / Fujimi Shobo", {{
        {"978404", S::kKadokawa,
        "/search_plus/index.php?title=&auther=&isbn={L7-12}"},
        {"97848291", S::kFujimiShobo,
        "/search_plus/index.php?s=8291-{L9-12}&&ss=isbn&&simple=1"}}},
        SearchStage::Kadokawa, ScraperId::Kadokawa},
    {8, "ASCII Media Works", {{{"97848402", S::kAsciiMediaWorks,
        "/search/isbn/978-4-8402-{L9-12}-{L13}", "/search/isbn/{I1}-{I2-5}-{I6-9}-{I10}"}}},
        SearchStage::None, ScraperId::AsciiMediaWorks},
    {9, "Futabasha", {{{"9784575", S::kFutabasha,
        "/booksdb/book/bookview/978-4-575-{L8-12}-{L13}.html?c=20401&o=date&type=t&word={L}"}}},
        SearchStage::None, ScraperId::Futabasha},
    {10, "Enterbrain", {{{"97847577", S::kEnterbrain,
        "/cgi-bin/namazu.cgi?query=978-4-7577-{L9-12}-{L13}"}}},
        SearchStage::Enterbrain, ScraperId::Enterbrain},
    {11, "Media Factory", {{
        {"97848401", S::kMediaFactory,
        "/cgi-bin/utils/search_item101.cgi?button_name=search_isbncode&search_isbncode=978-4-8401-{L9-12}-{L13}"},
        {"978488991", S::kMediaFactory,
        "/cgi-bin/utils/search_item101.cgi?button_name=search_isbncode&search_isbncode=978-4-88991-{L10-12}-{L13}"}}},
        SearchStage::MediaFactory, ScraperId::MediaFactoryNew},
    {12, "Gakken", {{{"978405", S::kGakken,
        "/shop/order/k_ok/bookdisp.asp?isbn={I}"}}},
        SearchStage::None, ScraperId::Gakken},
    {13, "Wani Books", {{{"97848470", S::kWaniBooks,
        "/index.php?goods=978-4-8470-{L9-12}-{L13}"}}},
        SearchStage::None, ScraperId::Wani},
    {14, "Ohzora", {{
        {"97847767", S::kOhzora,
        "/release/detail/?format=comics&isbn=978-4-7767-{L9-12}-{L13}"},
        {"978487287", S::kOhzora,
        "/release/detail/?format=comics&isbn=978-4-87287-{L10-12}-{L13}"}}},
        SearchStage::None, ScraperId::Ohzora},
    {15, "Houbunsha", {{{"97848322", S::kHoubunsha,
        "/cgi-local/cgi/_comicView_2.pl?isbn=978-4-8322-{L9-12}-{L13}"}}},
        SearchStage::None, ScraperId::Houbunsha},
    {16, "Mag Garden", {{
        {"978486127", S::kMagGarden, "/view.php?mode=detail&isbn={I}"},
        {"9784901926", S::kMagGarden, "/view.php?mode=detail&isbn={I}"}}},
        SearchStage::None, ScraperId::MagGarden},
}};
// clang-format on

namespace {

int ParsePosition(std::string_view digits, std::string_view pathTemplate) {
  int value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size() || value < 1)
    throw InvalidIsbn("bad path template " + std::string(pathTemplate));
  return value;
}

// Characters first..last (1-based) of `text`.
std::string_view Characters(std::string_view text, int first, int last) {
  if (last < first || static_cast<std::size_t>(last) > text.size())
    throw InvalidIsbn("code too short for its request address: " + std::string(text));
  return text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}

}  // namespace

std::string ExpandPath(std::string_view pathTemplate, std::string_view isbn13) {
  std::string out;
  std::string isbn10;  // computed on first use
  std::size_t i = 0;
  while (i < pathTemplate.size()) {
    char c = pathTemplate[i];
    if (c != '{') {
      out += c;
      ++i;
      continue;
    }
    std::size_t close = pathTemplate.find('}', i);
    if (close == std::string_view::npos) throw InvalidIsbn("bad path template");
    std::string_view placeholder = pathTemplate.substr(i + 1, close - i - 1);
    i = close + 1;
    if (placeholder.empty()) throw InvalidIsbn("bad path template");
    std::string_view source = isbn13;
    if (placeholder[0] == 'I') {
      if (isbn10.empty()) isbn10 = IsbnWithCheckDigit(isbn13, 10);
      source = isbn10;
    }
    std::string_view range = placeholder.substr(1);
    if (range.empty()) {
      // The whole ISBN: a code with an add-on keeps it behind the 13 digits,
      // and no publisher's address takes the add-on.
      out += source.substr(0, 13);
      continue;
    }
    std::size_t dash = range.find('-');
    int first = ParsePosition(range.substr(0, dash), pathTemplate);
    int last = dash == std::string_view::npos ? first : ParsePosition(range.substr(dash + 1), pathTemplate);
    out += Characters(source, first, last);
  }
  return out;
}

std::optional<Request> Dispatch(std::string_view isbn13, bool tenDigitInput) {
  for (const DispatchRow& row : kDispatchTable) {
    for (const Route& route : row.routes) {
      if (route.prefix.empty() || isbn13.substr(0, route.prefix.size()) != route.prefix) continue;
      std::string_view path = tenDigitInput && !route.path10.empty() ? route.path10 : route.path;
      return Request{&row, route.site, std::string(route.site) + ExpandPath(path, isbn13)};
    }
  }
  return std::nullopt;
}

SearchHit KadokawaFallback(std::string_view isbn13) {
  return {std::string(S::kAsciiMediaWorks) + ExpandPath("/search/isbn/978-4-04-{L7-12}-{L13}", isbn13),
          ScraperId::AsciiMediaWorks};
}

}  // namespace okuzuke
