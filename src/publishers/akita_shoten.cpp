// Akita Shoten's work page: Shift-JIS. Each particular is headed by a
// numbered image ("sakuhin_NN.gif") and its value stands three lines below
// the image; the cover image address opens the description block, whose
// text is two lines further down.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/book_size.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kPublisherName = "秋田書店"_sjis;
constexpr std::string_view kTitleImage = "<img src=\"images/sakuhin_02.gif";
constexpr std::string_view kVolumeImage = "<img src=\"images/sakuhin_07.gif";
constexpr std::string_view kAuthorImage = "<img src=\"images/sakuhin_01.gif";
constexpr std::string_view kLabelImage = "<img src=\"images/sakuhin_03.gif";
constexpr std::string_view kReleaseImage = "<img src=\"images/sakuhin_06.gif";
constexpr std::string_view kPriceImage = "<img src=\"images/sakuhin_04.gif";

// "label　size": the size follows the first full-width space, when there is
// one; the label is what stands before it.
void LabelAndSize(Scan& scan, const std::string& text) {
  std::size_t space = text.find(kFullWidthSpace);
  if (space == std::string::npos) {
    scan.book.Label = text;
    return;
  }
  NormalizeBookSize(scan.book, std::string_view(text).substr(space + kFullWidthSpace.size()));
  scan.book.Label = text.substr(0, space);
}

const Publisher& AkitaShoten() {
  static const std::string coverFolder = std::string(sites::kAkitaShoten) + "/search/images/";
  static const Publisher publisher{
      .key = "akita",
      .encoding = PageEncoding::ShiftJis,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = 0, .minLines = 4, .lastFromEnd = 4},
      .credits = CreditOrder::Unsorted,
      .finishWhen = WhenFoundWithTitle,  // a title line normalising to no title is no book
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i, condition, cut, post-processing, store
          // The remarks the title gives go to the subtitle, as for every publisher.
          {"title, volume, subtitle, publisher", LineAt(+3), kTitleImage, {}, {Clean}, {},
           All(TitleVolumeSubtitle, Fixed(&TBase::Publisher, kPublisherName), MarkFound)},
          {"volume", LineAt(+3), kVolumeImage, {}, {Clean, Remove("第"_sjis), Remove("巻"_sjis), TrimLeftBlanks}, {},
           UnlessEmpty(Into(&TBase::Volume))},
          {"authors", LineAt(+3), kAuthorImage, {}, {Clean}, {}, Credits("<br>", "<br>", "")},
          {"label, size", LineAt(+3), kLabelImage, {}, {Clean, TrimBlanks}, {}, LabelAndSize},
          {"release date", LineAt(+3), kReleaseImage, {}, {Clean, TrimBlanks}, {}, UnlessEmpty(DateFields)},
          {"price", LineAt(+3), kPriceImage, {}, {Clean, Remove(","), TrimBlanks, Before(kYen)}, {},
           Into(&TBase::Price)},
          {"cover image URL", LineAt(0), coverFolder, {}, {From(coverFolder), Before(" ")}, {}, CoverAsIs},
          {"description", LineAt(+2), coverFolder, {}, {Clean, BrToCrLf, Strip, TrimBlanks}, {},
           All(Into(&TBase::Description), MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeAkitaShoten(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(AkitaShoten(), pagePath, ctx);
}

}  // namespace okuzuke
