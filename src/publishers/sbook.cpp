// The s-book catalogue's detail page (plsql/slib_detail), shared by Hakusensha
// and Shodensha: Shift-JIS, a table with one row a line, the item name in
// "<th class="item">…</th>" and its value in the cell after it. The layout this
// scraper expects:
//   書名        title with volume and remarks
//   シリーズ    the label
//   著者名      the credits, "／" between people ("原作：…／作画：…"), in page order
//   出版社      the publisher as the page names it (白泉社, 祥伝社)
//   発売日      "YYYY/MM/DD";  定価  the price up to "円";  判型;  頁数 ("…頁")
//   <td class="photo">   the cover, "<img src="/…"" on the same line; "noimage" is none
//   <td class="naiyou">  the description, up to the cell's "</td>"
// The book is found when the 書名 row gives a title.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kTitleRow = "<th class=\"item\">書名</th>"_sjis;
constexpr std::string_view kSeriesRow = "<th class=\"item\">シリーズ</th>"_sjis;
constexpr std::string_view kAuthorsRow = "<th class=\"item\">著者名</th>"_sjis;
constexpr std::string_view kPublisherRow = "<th class=\"item\">出版社</th>"_sjis;
constexpr std::string_view kReleaseDateRow = "<th class=\"item\">発売日</th>"_sjis;
constexpr std::string_view kPriceRow = "<th class=\"item\">定価</th>"_sjis;
constexpr std::string_view kSizeRow = "<th class=\"item\">判型</th>"_sjis;
constexpr std::string_view kPagesRow = "<th class=\"item\">頁数</th>"_sjis;
constexpr std::string_view kPagesUnit = "頁"_sjis;
constexpr std::string_view kPhotoCell = "<td class=\"photo\"";
constexpr std::string_view kImgSrcRoot = "<img src=\"/";
constexpr std::string_view kSynopsisCell = "<td class=\"naiyou\">";

// The value cell after a row's item name, markup and all.
const TextStep kValueCell = Between("</th>", "</td>");

const Publisher& SBook() {
  static const Publisher publisher{
      .key = "sbook",
      .encoding = PageEncoding::ShiftJis,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = 0, .minLines = 1, .lastFromEnd = 1},
      .credits = CreditOrder::Unsorted,
      .finishWhen = WhenFoundWithTitle,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i, condition, cut, post-processing, store
          {"title, volume, subtitle", LineAt(0), kTitleRow, {}, {Clean, kValueCell}, {Strip, TrimBlanks},
           All(TitleVolumeSubtitle, MarkFound)},
          {"label", LineAt(0), kSeriesRow, {}, {Clean, kValueCell}, {Strip, ToAscii, TrimBlanks},
           Into(&TBase::Label)},
          {"authors", LineAt(0), kAuthorsRow, {}, {Clean, kValueCell}, {Strip},
           Credits(kFullWidthSlash, kFullWidthSlash, "")},
          {"publisher", LineAt(0), kPublisherRow, {}, {Clean, kValueCell}, {Strip, TrimBlanks},
           UnlessEmpty(Into(&TBase::Publisher))},
          {"release date", LineAt(0), kReleaseDateRow, {}, {Clean, kValueCell}, {Strip}, DateFields},
          {"price", LineAt(0), kPriceRow, {}, {Clean, Between("</th>", kYen)}, {Strip, Remove(","), TrimBlanks},
           Into(&TBase::Price)},
          {"size", LineAt(0), kSizeRow, {}, {Clean, kValueCell}, {Strip, TrimBlanks}, SizeField},
          {"page count", LineAt(0), kPagesRow, {}, {Clean, kValueCell}, {Strip, Remove(kPagesUnit), TrimBlanks},
           Into(&TBase::PageCount)},
          {"cover image URL", LineAt(0), kPhotoCell, {}, {Clean, Between(kImgSrcRoot, kQuote)}, {},
           UnlessHas("noimage", CoverAt(sites::kSBook))},
          {"description", CollectFromHereUntil("</td>"), kSynopsisCell, {}, {After(kSynopsisCell)},
           {Clean, BrToCrLf, Strip, TrimBlanks}, All(Into(&TBase::Description), MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeSBook(const std::string& pagePath, ScrapeContext& ctx) { return Scrape(SBook(), pagePath, ctx); }

}  // namespace okuzuke
