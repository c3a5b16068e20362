// Kodansha's book page (bc2_bc/search_view.jsp): UTF-8 without a byte order
// mark. The layout this scraper expects:
//   <p class="series">          the label (the series line above the heading)
//   <h2 class="bookTitle">      title with volume and remarks, up to "</h2>"
//   <dt>著者</dt><dd>…</dd>     the credits, "／" between people ("原作：…／漫画：…")
//   <dt>定価</dt><dd>…円…</dd>  the price up to "円" (commas dropped)
//   <dt>発売日</dt>, <dt>判型</dt>, <dt>ページ数</dt>: one "<dt>…</dt><dd>…</dd>" a line
//   <div class="bookCover">     the cover, "<img src="/…"" on the same line; "nowprinting" is none
//   <div class="bookIntro">     the description, up to the first "</div>"
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

constexpr std::string_view kSeries = "<p class=\"series\">";
constexpr std::string_view kHeading = "<h2 class=\"bookTitle\">";
constexpr std::string_view kPublisherName = "講談社"_sjis;
constexpr std::string_view kAuthors = "<dt>著者</dt>"_sjis;
constexpr std::string_view kPrice = "<dt>定価</dt>"_sjis;
constexpr std::string_view kReleaseDate = "<dt>発売日</dt>"_sjis;
constexpr std::string_view kSize = "<dt>判型</dt>"_sjis;
constexpr std::string_view kPages = "<dt>ページ数</dt>"_sjis;
constexpr std::string_view kPagesUnit = "ページ"_sjis;
constexpr std::string_view kCover = "<div class=\"bookCover\">";
constexpr std::string_view kImgSrcRoot = "<img src=\"/";
constexpr std::string_view kIntro = "<div class=\"bookIntro\">";

// The value of a "<dt>…</dt><dd>…</dd>" line.
const TextStep kDefinition = Between("<dd>", "</dd>");

const Publisher& Kodansha() {
  static const Publisher publisher{
      .key = "kodansha",
      .encoding = PageEncoding::Utf8,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = 0, .minLines = 1, .lastFromEnd = 1},
      .credits = CreditOrder::Sorted,
      .finishWhen = WhenFoundWithTitle,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i, condition, cut, post-processing, store
          {"label", LineAt(0), kSeries, {}, {Clean, Between(kSeries, "</p>")}, {Strip, ToAscii, TrimBlanks},
           Into(&TBase::Label)},
          {"title, volume, subtitle, publisher", LineAt(0), kHeading, {}, {Clean, Between(kHeading, "</h2>")},
           {Strip, TrimBlanks}, All(TitleVolumeSubtitle, Fixed(&TBase::Publisher, kPublisherName), MarkFound)},
          {"authors", LineAt(0), kAuthors, {}, {Clean, kDefinition}, {Strip},
           Credits(kFullWidthSlash, kFullWidthSlash, "")},
          {"price", LineAt(0), kPrice, {}, {Clean, Between("<dd>", kYen)}, {Strip, Remove(","), TrimBlanks},
           Into(&TBase::Price)},
          {"release date", LineAt(0), kReleaseDate, {}, {Clean, kDefinition}, {Strip}, DateFields},
          {"size", LineAt(0), kSize, {}, {Clean, kDefinition}, {Strip, TrimBlanks}, SizeField},
          {"page count", LineAt(0), kPages, {}, {Clean, kDefinition}, {Strip, Remove(kPagesUnit), TrimBlanks},
           Into(&TBase::PageCount)},
          {"cover image URL", LineAt(0), kCover, {}, {Clean, Between(kImgSrcRoot, kQuote)}, {},
           UnlessHas("nowprinting", CoverAt(sites::kKodansha))},
          {"description", CollectFromHereUntil("</div>"), kIntro, {}, {After(kIntro)},
           {Clean, BrToCrLf, Replace("<br />", "\r\n"), Strip, TrimBlanks},
           All(Into(&TBase::Description), MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeKodansha(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(Kodansha(), pagePath, ctx);
}

}  // namespace okuzuke
