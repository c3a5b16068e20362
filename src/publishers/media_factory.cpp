// Media Factory's paperback (MF文庫J) detail page, the newer layout: EUC-JP.
// Every field sits in a classed cell on its own line; the description is the
// catch copy followed by the STORY, POINT and LINK sections, each under its
// caption image, LINK being the last thing read.
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

constexpr std::string_view kTitleCell = "<td class=\"detail_title\">";
constexpr std::string_view kPublisherName = "メディアファクトリー"_sjis;
constexpr std::string_view kLabelName = "MF文庫J"_sjis;
constexpr std::string_view kAuthorSpan = "<span class=\"detail_author\">";
constexpr std::string_view kNameBreak = "、"_sjis;
constexpr std::string_view kPriceIsbnSpan = "<span class=\"detail_price_isbn\">";
constexpr std::string_view kReleaseDay = "class=\"detail_releaseday\"";
constexpr std::string_view kPhotoImage = "<img src=\"../photo_img/";
constexpr std::string_view kCatch = "class=\"detail_catch\"";
constexpr std::string_view kStoryCaption = "<img src=\"img/detail_caption_story.gif\"";
constexpr std::string_view kPointCaption = "<img src=\"img/detail_caption_point.gif\"";
constexpr std::string_view kLinkCaption = "<img src=\"img/detail_caption_link.gif\"";
constexpr std::string_view kStoryHead = "\r\nSTORY：\r\n"_sjis;
constexpr std::string_view kPointHead = "\r\nPOINT：\r\n"_sjis;
constexpr std::string_view kLinkHead = "\r\nLINK：\r\n"_sjis;

// One line of the LINK section: only lines with an address count. The line's
// text before its anchor is kept with the anchor's visible text; an anchor
// whose visible text starts with markup (an image link) drops the line. A
// line that names an address without an anchor is kept as it stands.
void LinkLine(std::string& line) {
  if (!Contains(line, "http://")) {
    line.clear();
    return;
  }
  line = Trim(line);
  const std::size_t anchor = line.find("<a href=");
  if (anchor == std::string::npos) return;
  const std::size_t close = line.find('>', anchor);
  const std::size_t text = close == std::string::npos ? line.size() : close + 1;
  if (text < line.size() && line[text] == '<') {
    line.clear();
    return;
  }
  line = line.substr(0, anchor) + line.substr(text);
}

const Publisher& MediaFactory() {
  static const Publisher publisher{
      .key = "mediafactory",
      .encoding = PageEncoding::EucJp,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = 0, .minLines = 2, .lastFromEnd = 2},
      .credits = CreditOrder::Sorted,
      .finishWhen = WhenFound,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i [+ condition], cut, post-processing, store
          {"title, volume, subtitle, publisher, label", LineAt(0), kTitleCell, {},
           {Clean, Replace("<br>", " "), Between(kTitleCell, "</td>")}, {},
           All(TitleVolumeSubtitle, Fixed(&TBase::Publisher, kPublisherName), Fixed(&TBase::Label, kLabelName),
               MarkFound)},
          {"authors", LineAt(0), kAuthorSpan, {},
           {Clean, Replace(kFullWidthSpace, kNameBreak), Replace("<br>", kNameBreak), Between(kAuthorSpan, "</span>")},
           {}, Credits(kNameBreak, kNameBreak, "")},
          // Without the price line after the authors, size and price stay as they are.
          {"size", LineAt(+1), kAuthorSpan, NextLineHas(kPriceIsbnSpan), {Clean, After(kPriceIsbnSpan)},
           {Before(" ")}, SizeField},
          {"price", LineAt(+1), kAuthorSpan, NextLineHas(kPriceIsbnSpan), {Clean, After(kPriceIsbnSpan)},
           {Remove(","), Between(" ", kYen)}, Into(&TBase::Price)},
          {"release date", LineAt(0), kReleaseDay, {}, {Clean, From(kReleaseDay), Between(">", "<")}, {}, DateFields},
          {"cover image URL", LineAt(0), kPhotoImage, {}, {FromPartOf(kPhotoImage, "photo_img/"), Before(kQuote)}, {},
           CoverAt(sites::kMediaFactory)},
          {"description (catch)", LineAt(0), kCatch, {}, {Clean, BrToCrLf, From(kCatch), After(">")}, {},
           Into(&TBase::Description)},
          {"STORY section", LineAt(+1), kStoryCaption, {}, {Clean, BrToCrLf, TrimBlanks, UpTo("<")}, {},
           AppendTo(&TBase::Description, kStoryHead)},
          {"POINT section", LineAt(+1), kPointCaption, {}, {Clean, BrToCrLf, TrimBlanks, UpTo("<")}, {},
           AppendTo(&TBase::Description, kPointHead)},
          {"LINK section", CollectUntil("</td>").EachLine(LinkLine), kLinkCaption, {}, {},
           {Clean, BrToCrLf, Remove("</a>")}, All(AppendTo(&TBase::Description, kLinkHead), MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeMediaFactory(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(MediaFactory(), pagePath, ctx);
}

}  // namespace okuzuke
