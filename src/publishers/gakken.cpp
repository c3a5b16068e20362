// Gakken's shop book page: Shift-JIS. The goods heading cell holds the label
// and, after its link, the title (or the shop's "no such goods" text); the
// particulars follow in cells, each description part read from a cell
// eleven lines above (or three below) its marker. The author profile is the
// last thing read.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

// The description part read for a "cm3" cell stands this many lines above it,
// so the scan begins this far into the page.
constexpr int kPartAbove = 11;

constexpr std::string_view kGoodsHeading = "<div style=\"padding";
constexpr std::string_view kNoSuchGoods = "該当商品はありません。"_sjis;
constexpr std::string_view kPublisherName = "学習研究社"_sjis;
constexpr std::string_view kLabelSpan = "<span class=\"cl3 tx-white\">";
constexpr std::string_view kSize = "サイズ："_sjis;
constexpr std::string_view kFoundedOn = "創刊日："_sjis;
constexpr std::string_view kGoodsImage = "<img src=\"/goods_img/";
constexpr std::string_view kTextCell = " class=\"cl3\">";
constexpr std::string_view kProfile = "【著者プロフィール】"_sjis;
constexpr std::string_view kPartBreak = "\r\n\r\n";
constexpr std::string_view kProfileHead = "\r\n\r\n【著者プロフィール】\r\n"_sjis;

const Publisher& Gakken() {
  static const Publisher publisher{
      .key = "gakken",
      .encoding = PageEncoding::ShiftJis,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = kPartAbove, .minLines = 15, .lastFromEnd = 4},
      .credits = CreditOrder::Unsorted,
      .finishWhen = WhenFound,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line h, condition, cut, post-processing, store
          {"title, volume, subtitle", LineAt(0), kGoodsHeading, {}, {Clean, Remove("</td>"), Between("</a>", "</td>")},
           {}, EndScanIfEquals(kNoSuchGoods, TitleVolumeSubtitle)},
          {"label, publisher", LineAt(0), kGoodsHeading, {}, {Clean, Between("\">", "</div>")}, {},
           All(Into(&TBase::Label), Fixed(&TBase::Publisher, kPublisherName), MarkFound)},
          {"authors", LineAt(+1), "著："_sjis, {}, {Clean, Remove(kFullWidthSpace), Between("\">", "<")}, {},
           Credits("・"_sjis, "・"_sjis, "")},
          {"label", LineAt(0), kLabelSpan, {}, {Clean, Between(kLabelSpan, "</span>")}, {}, Into(&TBase::Label)},
          {"price", LineAt(+1), "定価"_sjis, {}, {Clean, Between("<strong>", "</strong>"), Remove(kYen)}, {},
           Into(&TBase::Price)},
          {"size", LineAt(0), kSize, {}, {Clean, Between(kSize, kFullWidthSpace)}, {}, SizeField},
          {"page count", LineAt(0), kSize, {}, {Clean, Between(kFullWidthSpace, "頁"_sjis)}, {},
           Into(&TBase::PageCount)},
          {"release date", LineAt(0), kFoundedOn, {}, {Clean, Between(kFoundedOn, "<BR>")}, {}, DateFields},
          // The first real cover wins; "nocover" is the shop's placeholder.
          {"cover image URL", LineAt(0), kGoodsImage, {}, {FromPartOf(kGoodsImage, "goods_img/"), Before(kQuote)}, {},
           UnlessHas("nocover", WhileEmpty(&TBase::CoverUrl, CoverAt(sites::kGakken)))},
          // A cell whose next line holds markup has no plain description.
          {"description", LineAt(+1), "<td colspan=\"2\" class=\"cl3\">", {}, {Clean}, {},
           UnlessHas("<", Into(&TBase::Description))},
          {"description, more", LineAt(-kPartAbove), "<td class=\"cm3\">", {},
           {Clean, BrToCrLf, After(kTextCell), UpTo("<")}, {}, AppendTo(&TBase::Description, kPartBreak)},
          {"author profile", LineAt(+3), kProfile, {}, {Clean, BrToCrLf, After(kTextCell), UpTo("<")}, {},
           All(AppendTo(&TBase::Description, kProfileHead), MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeGakken(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(Gakken(), pagePath, ctx);
}

}  // namespace okuzuke
