// Shogakukan's book page: UTF-8 with a byte order mark. The heading line
// carries label, title and volume, the line after it the writer; a page that
// exists always counts as found.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/halfwidth.h"
#include "text/markup.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"
#include "text/title.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kHeading = "<h1>";
constexpr std::string_view kNotFound = "見つかりません"_sjis;
constexpr std::string_view kWriterHead = "<p class=\"writer\">作／"_sjis;
constexpr std::string_view kFullWidthBar = "｜"_sjis;
constexpr std::string_view kPublisherName = "小学館"_sjis;
constexpr std::string_view kSizeAndPages = "判型/頁"_sjis;
constexpr std::string_view kPagesUnit = "頁"_sjis;
constexpr std::string_view kReleaseDate = "発売日"_sjis;
constexpr std::string_view kPrice = "定価"_sjis;
constexpr std::string_view kCoverBlock = "<p class=\"image\">";
constexpr std::string_view kAboutThisBook = "この本の内容"_sjis;

// The heading's words in turn, up to the first empty one (a double blank
// ends the split): a volume designator becomes the volume (a later one
// replacing an earlier one), words before the volume go to the title and
// words after it to the subtitle, each preceded by one blank.
void SplitHeadingWords(TBase& book, std::string_view words) {
  for (;;) {
    std::size_t blank = words.find(' ');
    std::string_view word = words.substr(0, blank);
    if (word.empty()) return;
    std::string halfWidth = ToHalfWidth(word);
    if (IsVolumeDesignator(halfWidth)) {
      book.Volume = halfWidth;
    } else {
      std::string& part = book.Volume.empty() ? book.Title : book.Subtitle;
      part += ' ';
      part += word;
    }
    if (blank == std::string_view::npos) return;
    words.remove_prefix(blank + 1);
  }
}

// A "<span>" in the heading holds the start of the subtitle and ends the
// title text; without one the heading runs to "</h1>".
void TitleFromHeading(Scan& scan, const std::string& line) {
  std::string words;
  if (Contains(line, "<span>")) {
    scan.book.Subtitle = ExtractAfter(line, "<span>", "</span>");
    words = StripMarkup(ExtractAfter(line, kHeading, "<span>"));
  } else {
    words = ExtractAfter(line, kHeading, "</h1>");
  }
  SplitHeadingWords(scan.book, ReplaceAll(words, kFullWidthSpace, " "));
}

const Publisher& Shogakukan() {
  static const Publisher publisher{
      .key = "shogakukan",
      .encoding = PageEncoding::Utf8WithBom,
      .entities = {kAmp, kQuot},
      .scan = {.firstLine = 0, .minLines = 8, .lastFromEnd = 8},
      .credits = CreditOrder::Unsorted,
      .finishWhen = Always,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i [+ condition], cut, post-processing, store
          {"authors", LineAt(+1), kHeading, Lacks(kNotFound), {},
           {Clean, Remove(kWriterHead), Replace(kFullWidthSlash, "/"), Replace(kFullWidthBar, "|"), Strip},
           Credits("/", "/", "")},
          {"label", LineAt(0), kHeading, Lacks(kNotFound), {BeforeLessOne(kHeading)}, {Clean, Strip},
           Into(&TBase::Label)},
          {"title, volume, subtitle", LineAt(0), kHeading, Lacks(kNotFound), {Clean}, {}, TitleFromHeading},
          {"publisher", kNothing, kHeading, Lacks(kNotFound), {}, {}, Fixed(&TBase::Publisher, kPublisherName)},
          {"size", LineAt(+1), kSizeAndPages, {}, {Before("/")}, {Clean, Strip}, SizeField},
          {"page count", LineAt(+1), kSizeAndPages, {}, {Between("/", kPagesUnit)}, {Clean, Strip},
           Into(&TBase::PageCount)},
          {"release date", LineAt(+1), kReleaseDate, {}, {}, {Clean, Strip}, DateFields},
          {"price", LineAt(+2), kPrice, {}, {Before(kYen)}, {Clean, Remove(" "), Strip}, Into(&TBase::Price)},
          {"cover image URL", LineAt(0), kCoverBlock, {}, {Between(kImgSrc, kQuote)}, {Clean, Remove(",")},
           CoverAt(sites::kShogakukan)},
          {"description", CollectUntil("script type"), kAboutThisBook, {}, {}, {Clean, BrToCrLf, Strip},
           All(DescriptionWith(kDescriptionHead), MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeShogakukan(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(Shogakukan(), pagePath, ctx);
}

}  // namespace okuzuke
