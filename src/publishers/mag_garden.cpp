// Mag Garden's book page: UTF-8 with a byte order mark, laid out with font
// colours: the heading in #006699 with its reading on the next line, each
// author in #FF3366 with the role on the next line.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/markup.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"
#include "text/title.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kTitleFont = "<b><span class=\"f16\"><font color=\"#006699\">";
constexpr std::string_view kAuthorFont = "<b><span class=\"f16\"><font color=\"#FF3366\">";
constexpr std::string_view kSmallSpan = "<span class=\"f10\">";
constexpr std::string_view kFontEnd = "</font>";
constexpr std::string_view kPublisherName = "マッグガーデン"_sjis;
constexpr std::string_view kLabelOpen = "<span class=\"f12\">【"_sjis;
constexpr std::string_view kLabelClose = "】</span>"_sjis;
constexpr std::string_view kDetailSpan = "<span class=\"f12h18\">";
constexpr std::string_view kReleasedOnDay = "日発売<br>"_sjis;
constexpr std::string_view kReleased = "発売<br>"_sjis;
constexpr std::string_view kDescriptionEnd = "</span></td>";

// The part of the heading between two hyphens ("ABC -side story- 3"). A
// single hyphen belongs to the title itself ("D.Gray-man"), so without a
// closing hyphen there is no such part.
std::string HyphenPart(std::string_view heading) {
  std::size_t open = heading.find('-');
  if (open == std::string_view::npos) return {};
  std::size_t close = heading.find('-', open + 1);
  if (close == std::string_view::npos) return {};
  return std::string(heading.substr(open + 1, close - open - 1));
}

// The hyphen part, hyphens and all, comes out of the title and becomes the
// subtitle; the rest is normalised into title and volume.
void TitleAndHyphenSubtitle(Scan& scan, const std::string& heading) {
  std::string hyphenPart = HyphenPart(heading);
  std::string title = hyphenPart.empty() ? heading : ReplaceAll(heading, "-" + hyphenPart + "-", "");
  NormalizeTitle(scan.book, title);
  scan.book.Subtitle = hyphenPart;
}

// The reading repeats the volume number as its last word; that word is dropped.
void ReadingWithoutVolume(Scan& scan, const std::string& reading) {
  std::size_t lastBlank = reading.rfind(' ');
  bool endsInVolume = lastBlank != std::string::npos && reading.substr(lastBlank + 1) == scan.book.Volume;
  scan.book.TitleReading = endsInVolume ? reading.substr(0, lastBlank) : reading;
}

// The author's role stands on the next line; it is handed on in full-width
// brackets after the name.
void CreditWithRole(Scan& scan, const std::string& name) {
  std::string role = Trim(ExtractAfter(scan.At(+1), kSmallSpan, "</span>"));
  std::string credit = name + std::string("［"_sjis) + role + std::string("］"_sjis);
  ParseAuthorCredits(scan.credits, credit, "Dummy", "Dummy", "");
}

const Publisher& MagGarden() {
  static const std::string imageFolder = std::string(sites::kMagGarden) + "/img/";
  static const Publisher publisher{
      .key = "maggarden",
      .encoding = PageEncoding::Utf8WithBom,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = 0, .minLines = 3, .lastFromEnd = 3},
      .credits = CreditOrder::Unsorted,
      .finishWhen = WhenFound,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i, condition, cut, post-processing, store
          {"title, volume, subtitle", LineAt(0), kTitleFont, {}, {Clean, Between(kTitleFont, kFontEnd)}, {},
           TitleAndHyphenSubtitle},
          {"title reading", LineAt(+1), kTitleFont, {}, {Clean, Between(kSmallSpan, "<br>"), TrimBlanks}, {},
           ReadingWithoutVolume},
          {"publisher", kNothing, kTitleFont, {}, {}, {}, All(Fixed(&TBase::Publisher, kPublisherName), MarkFound)},
          {"authors", LineAt(0), kAuthorFont, {}, {Clean, Between(kAuthorFont, kFontEnd), TrimBlanks}, {},
           CreditWithRole},
          {"label", LineAt(0), kLabelOpen, {}, {Clean, Between(kLabelOpen, kLabelClose)}, {ToAscii, TrimBlanks},
           Into(&TBase::Label)},
          {"size", LineAt(+1), kDetailSpan, AlsoHas(kReleasedOnDay), {TrimBlanks}, {}, SizeField},
          {"release date", LineAt(0), kDetailSpan, AlsoHas(kReleasedOnDay),
           {Clean, Between(kDetailSpan, kReleased)}, {}, DateFields},
          {"price", LineAt(+2), kDetailSpan, AlsoHas(kReleasedOnDay), {TrimBlanks, Before(kYen)}, {Remove(",")},
           Into(&TBase::Price)},
          {"cover image URL", LineAt(0), imageFolder, {}, {Between(kImgSrc, kQuote)}, {}, CoverAsIs},
          {"description", LineAt(0), kDetailSpan, AlsoHas(kDescriptionEnd),
           {Clean, BrToCrLf, Between(kDetailSpan, kDescriptionEnd)}, {}, All(Into(&TBase::Description), MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeMagGarden(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(MagGarden(), pagePath, ctx);
}

}  // namespace okuzuke
