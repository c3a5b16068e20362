// Houbunsha's comic page: EUC-JP, every value in a "ex1" div. Line 0 is
// never tested (the author rule reads the line above its marker), and the
// date and price are taken only below the title.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kTitleDiv = "<div class=\"ex1\"><b>";
constexpr std::string_view kPublisherName = "芳文社"_sjis;
constexpr std::string_view kVolumeCell = "<td align=\"right\"><div align=\"center\" class=\"ex1\">";
constexpr std::string_view kVolumeDiv = "<div align=\"center\" class=\"ex1\">";
constexpr std::string_view kRule = "<hr size=\"1\" noshade>";
constexpr std::string_view kLabelOpen = "<div class=\"ex1\">《"_sjis;
constexpr std::string_view kLabelClose = "》</div>"_sjis;
constexpr std::string_view kReleaseDateDiv = "<div class=\"ex1\">　発売日："_sjis;
constexpr std::string_view kOnSale = "発売中"_sjis;
constexpr std::string_view kPriceDiv = "<div class=\"ex1\">　定　価："_sjis;
constexpr std::string_view kPriceFont = "定　価：<font color=\"#FF0000\">"_sjis;
constexpr std::string_view kPriceEnd = "円(本体"_sjis;
constexpr std::string_view kCoverImage = "<img name=\"imageCover\" src=\"/";
constexpr std::string_view kDescriptionCell = "<td width=\"234\" valign=\"top\">";
constexpr std::string_view kValueDiv = "<div class=\"ex1\">";

// The text after the first value div to the end of the line; without one,
// the text from position 17 (1-based, the div's length) on.
void AfterValueDiv(std::string& text) {
  std::size_t at = text.find(kValueDiv);
  std::size_t from = at == std::string::npos ? kValueDiv.size() - 1 : at + kValueDiv.size();
  text = from < text.size() ? text.substr(from) : std::string();
}

// "発売中" (on sale) is no date.
void DateUnlessOnSale(Scan& scan, const std::string& text) {
  if (text != kOnSale) DateFields(scan, text);
}

const Publisher& Houbunsha() {
  static const Publisher publisher{
      .key = "houbunsha",
      .encoding = PageEncoding::EucJp,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = 1, .minLines = 3, .lastFromEnd = 2},
      .credits = CreditOrder::Sorted,
      .finishWhen = WhenFoundWithTitle,
      .rating = "",
      .rules = {
          // fields, line taken, marker on line m, condition, cut, post-processing, store
          {"title, volume, subtitle, publisher", LineAt(0), kTitleDiv, {}, {Clean, Between(kTitleDiv, "</b></div>")},
           {}, All(TitleVolumeSubtitle, Fixed(&TBase::Publisher, kPublisherName), MarkFound)},
          {"volume", LineAt(0), kVolumeCell, {},
           {Clean, Remove("（"_sjis), Remove("）"_sjis), Remove("巻"_sjis),
            Between(kVolumeDiv, "</div>"), TrimBlanks},
           {}, Into(&TBase::Volume)},
          {"authors", LineAt(-1), kRule, {}, {Clean}, {Replace("<br>", kFullWidthSlash), Strip, TrimBlanks},
           Credits(kFullWidthSlash, kFullWidthSlash, "")},
          {"label", LineAt(0), kLabelOpen, {}, {Clean, Between(kLabelOpen, kLabelClose)}, {ToAscii, TrimBlanks},
           Into(&TBase::Label)},
          {"release date", LineAt(0), kReleaseDateDiv, kOnceFound, {Clean, Between(kReleaseDateDiv, "</div>")}, {},
           DateUnlessOnSale},
          {"price", LineAt(0), kPriceDiv, kOnceFound, {Clean, Remove(","), Between(kPriceFont, kPriceEnd), TrimBlanks},
           {}, Into(&TBase::Price)},
          {"cover image URL", LineAt(0), kCoverImage, {}, {Between(kCoverImage, kQuote)}, {}, UnlessHas("nowprinting", CoverAt(sites::kHoubunsha))},
          {"description", LineAt(+1), kDescriptionCell, {}, {Clean, AfterValueDiv}, {BrToCrLf},
           All(Into(&TBase::Description), MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeHoubunsha(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(Houbunsha(), pagePath, ctx);
}

}  // namespace okuzuke
