// Wani Books' shop goods page: UTF-8 without a byte order mark. The title
// heading cell also names the authors after its link; the particulars are
// table rows headed by "<th>" cells with the value on the next line. The
// page has no last field: every line is read.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kTitleImage = "item_detail_title.gif";
constexpr std::string_view kPublisherName = "ワニブックス"_sjis;
constexpr std::string_view kDoubleSpace = "　　"_sjis;
constexpr std::string_view kPlus = "＋"_sjis;
constexpr std::string_view kCreditRows[] = {"<th>著者</th>"_sjis, "カメラマン"_sjis};

const Publisher& WaniBooks() {
  static const std::string imageFolder = std::string(kImgSrc) + std::string(sites::kWaniBooks) + "/img/img/";
  static const Publisher publisher{
      .key = "wani",
      .encoding = PageEncoding::Utf8,
      .entities = {kAmp, kQuot, kLt, kGt, {"&nbsp;", ""}},
      .scan = {.firstLine = 0, .minLines = 2, .lastFromEnd = 2},
      .credits = CreditOrder::Sorted,
      .finishWhen = WhenFound,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i [+ condition], cut, post-processing, store
          {"title, volume, subtitle", LineAt(0), kTitleImage, {},
           {Clean, Remove("【先行予約】 "_sjis), Between("/>", "</th>")}, {}, TitleVolumeSubtitle},
          {"authors, publisher", LineAt(0), kTitleImage, {},
           {Clean, Replace(kDoubleSpace, kFullWidthSpace), Replace(kPlus, kFullWidthSpace), Between("</a>", "</div")},
           {}, All(Credits(kFullWidthSpace, kFullWidthSpace, ""), Fixed(&TBase::Publisher, kPublisherName), MarkFound)},
          // A photographer is credited like an author.
          {"authors", CollectThrough("</td>"), kAnyOf, AnyOf(kCreditRows), {},
           {Clean, Replace(kDoubleSpace, kFullWidthSpace), Replace(kPlus, kFullWidthSpace), Between("<td>", "</td>")},
           Credits(kFullWidthSpace, kFullWidthSpace, "")},
          {"label", LineAt(+1), "<th>カテゴリ</th>"_sjis, {}, {Clean, Remove("<td>"), Between(">", "</td>")}, {},
           Into(&TBase::Label)},
          {"release date", LineAt(+1), "<th>発売日</th>"_sjis, {}, {Clean, Between("<td>", "</td>")}, {}, DateFields},
          {"price", LineAt(+1), "<th>定価</th>"_sjis, {}, {Clean, Remove(","), Between(";", "(")}, {},
           Into(&TBase::Price)},
          // A "sorry" image stands in for a missing cover.
          {"cover image URL", LineAt(0), imageFolder, {}, {Between(kImgSrc, "\" width")}, {},
           UnlessHas("sorry", CoverAsIs)},
          {"description", CollectFrom(0, "</tr>").Skipping("<font color"), "<td class=\"contents\">", {}, {},
           {Clean, Replace(kFullWidthSpace, " "), Strip}, Into(&TBase::Description)},
      }};
  return publisher;
}

}  // namespace

int ScrapeWaniBooks(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(WaniBooks(), pagePath, ctx);
}

}  // namespace okuzuke
