// Media Factory's older book page (the comics and other lines outside the
// "bunkoj" pages): EUC-JP, like its search page. The layout this scraper
// expects:
//   <td class="book_title">   title with volume and remarks, up to "</td>"
//   <td class="book_author">  the credits, "　" between people ("原作：…　作画：…")
//   <td class="book_image">   the cover, "<img src="/…"" on the same line; "noimage" is none
//   a table of particulars, the item name alone on a line and the value cell
//   on the next: <th>シリーズ</th> (the label), <th>発売日</th>, <th>定価</th>
//   (up to "円"), <th>判型／頁数</th> ("B6判／164ページ")
//   <td class="book_intro">   the description, from the end of that tag up to the cell's "</td>"
// The book is found when the title cell gives a title.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kTitleCell = "<td class=\"book_title\">";
constexpr std::string_view kPublisherName = "メディアファクトリー"_sjis;
constexpr std::string_view kAuthorCell = "<td class=\"book_author\">";
constexpr std::string_view kImageCell = "<td class=\"book_image\"";
constexpr std::string_view kImgSrcRoot = "<img src=\"/";
constexpr std::string_view kSeries = "<th>シリーズ</th>"_sjis;
constexpr std::string_view kReleaseDate = "<th>発売日</th>"_sjis;
constexpr std::string_view kPrice = "<th>定価</th>"_sjis;
constexpr std::string_view kSizeAndPages = "<th>判型／頁数</th>"_sjis;
constexpr std::string_view kPagesUnit = "ページ"_sjis;
constexpr std::string_view kIntroCell = "<td class=\"book_intro\"";

const TextStep kValueCell = Between("<td>", "</td>");

// The size is the part before "／"; a cell without pages is all size.
void SizePart(std::string& text) {
  std::size_t slash = text.find(kFullWidthSlash);
  if (slash != std::string::npos) text.erase(slash);
}

const Publisher& MediaFactoryOld() {
  static const Publisher publisher{
      .key = "mediafactory-old",
      .encoding = PageEncoding::EucJp,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = 0, .minLines = 1, .lastFromEnd = 1},
      .credits = CreditOrder::Sorted,
      .finishWhen = WhenFoundWithTitle,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i, condition, cut, post-processing, store
          {"title, volume, subtitle, publisher", LineAt(0), kTitleCell, {}, {Clean, Between(kTitleCell, "</td>")},
           {Strip, TrimBlanks}, All(TitleVolumeSubtitle, Fixed(&TBase::Publisher, kPublisherName), MarkFound)},
          {"authors", LineAt(0), kAuthorCell, {}, {Clean, Between(kAuthorCell, "</td>")}, {Strip, TrimBlanks},
           Credits(kFullWidthSpace, kFullWidthSpace, "")},
          {"cover image URL", LineAt(0), kImageCell, {}, {Clean, Between(kImgSrcRoot, kQuote)}, {},
           UnlessHas("noimage", CoverAt(sites::kMediaFactory))},
          {"label", LineAt(+1), kSeries, {}, {Clean, kValueCell}, {Strip, ToAscii, TrimBlanks},
           Into(&TBase::Label)},
          {"release date", LineAt(+1), kReleaseDate, {}, {Clean, kValueCell}, {Strip}, DateFields},
          {"price", LineAt(+1), kPrice, {}, {Clean, Between("<td>", kYen)}, {Strip, Remove(","), TrimBlanks},
           Into(&TBase::Price)},
          {"size", LineAt(+1), kSizeAndPages, {}, {Clean, kValueCell, Strip, SizePart}, {TrimBlanks},
           SizeField},
          {"page count", LineAt(+1), kSizeAndPages, {},
           {Clean, kValueCell, Strip, Between(kFullWidthSlash, kPagesUnit)}, {TrimBlanks}, Into(&TBase::PageCount)},
          {"description", CollectFromHereUntil("</td>"), kIntroCell, {}, {After(kIntroCell), After(">")},
           {Clean, BrToCrLf, Strip, TrimBlanks}, All(Into(&TBase::Description), MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeMediaFactoryOld(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(MediaFactoryOld(), pagePath, ctx);
}

}  // namespace okuzuke
