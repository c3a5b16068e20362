// The Kadokawa / Fujimi Shobo book page (book/, comic/ or lnovel/
// bk_search.php), the same layout on both sites: Shift-JIS. The layout this
// scraper expects:
//   <p class="bk_label">   the label
//   <h2 class="bk_title">  title with volume and remarks, up to "</h2>"
//   <p class="bk_author">  the credits, "　" between people ("著：…　イラスト：…")
//   one particular a line: <span class="ttl">NAME：</span><span class="val">VALUE</span>
//     for 発行 (the imprint: 角川書店 or 富士見書房), 発売日, 定価 (up to "円"),
//     判型 and ページ数
//   <div class="bk_img">   the cover, "<img src="…"" on the same line; a path is on
//                          the site of the imprint the page names
//   <div class="bk_intro"> the description, up to the first "</div>"
// The book is found when the heading gives a title.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kLabel = "<p class=\"bk_label\">";
constexpr std::string_view kHeading = "<h2 class=\"bk_title\">";
constexpr std::string_view kAuthors = "<p class=\"bk_author\">";
constexpr std::string_view kImprint = "<span class=\"ttl\">発行：</span>"_sjis;
constexpr std::string_view kReleaseDate = "<span class=\"ttl\">発売日：</span>"_sjis;
constexpr std::string_view kPrice = "<span class=\"ttl\">定価：</span>"_sjis;
constexpr std::string_view kSize = "<span class=\"ttl\">判型：</span>"_sjis;
constexpr std::string_view kPages = "<span class=\"ttl\">ページ数：</span>"_sjis;
constexpr std::string_view kValue = "<span class=\"val\">";
constexpr std::string_view kPagesUnit = "ページ"_sjis;
constexpr std::string_view kFujimiShobo = "富士見書房"_sjis;
constexpr std::string_view kCover = "<div class=\"bk_img\">";
constexpr std::string_view kIntro = "<div class=\"bk_intro\">";

const TextStep kValueSpan = Between(kValue, "</span>");

// Both imprints serve this page from their own site, and a cover path is on
// that site. The address is kept as cut until the scan is over, when the
// imprint is known wherever on the page it stood.
void CoverOnImprintSite(Scan& scan) {
  std::string& cover = scan.book.CoverUrl;
  if (cover.empty() || cover.starts_with("http://") || cover.starts_with("https://")) return;
  std::string_view site = scan.book.Publisher == kFujimiShobo ? sites::kFujimiShobo : sites::kKadokawa;
  cover = std::string(site) + (cover.starts_with("/") ? "" : "/") + cover;
}

const Publisher& Kadokawa() {
  static const Publisher publisher{
      .key = "kadokawa",
      .encoding = PageEncoding::ShiftJis,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = 0, .minLines = 1, .lastFromEnd = 1},
      .credits = CreditOrder::Sorted,
      .finishWhen = WhenFoundWithTitle,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i, condition, cut, post-processing, store
          {"label", LineAt(0), kLabel, {}, {Clean, Between(kLabel, "</p>")}, {Strip, ToAscii, TrimBlanks},
           Into(&TBase::Label)},
          {"title, volume, subtitle", LineAt(0), kHeading, {}, {Clean, Between(kHeading, "</h2>")},
           {Strip, TrimBlanks}, All(TitleVolumeSubtitle, MarkFound)},
          {"authors", LineAt(0), kAuthors, {}, {Clean, Between(kAuthors, "</p>")}, {Strip, TrimBlanks},
           Credits(kFullWidthSpace, kFullWidthSpace, "")},
          {"publisher", LineAt(0), kImprint, {}, {Clean, kValueSpan}, {Strip, TrimBlanks},
           UnlessEmpty(Into(&TBase::Publisher))},
          {"release date", LineAt(0), kReleaseDate, {}, {Clean, kValueSpan}, {Strip}, DateFields},
          {"price", LineAt(0), kPrice, {}, {Clean, Between(kValue, kYen)}, {Strip, Remove(","), TrimBlanks},
           Into(&TBase::Price)},
          {"size", LineAt(0), kSize, {}, {Clean, kValueSpan}, {Strip, TrimBlanks}, SizeField},
          {"page count", LineAt(0), kPages, {}, {Clean, kValueSpan}, {Strip, Remove(kPagesUnit), TrimBlanks},
           Into(&TBase::PageCount)},
          {"cover image URL (as cut)", LineAt(0), kCover, {}, {Clean, Between(kImgSrc, kQuote)}, {},
           CoverAsIs},
          {"description", CollectFromHereUntil("</div>"), kIntro, {}, {After(kIntro)},
           {Clean, BrToCrLf, Replace("<br />", "\r\n"), Strip, TrimBlanks},
           All(Into(&TBase::Description), MarkDone)},
      },
      .beforeFinish = CoverOnImprintSite};
  return publisher;
}

}  // namespace

int ScrapeKadokawa(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(Kadokawa(), pagePath, ctx);
}

}  // namespace okuzuke
