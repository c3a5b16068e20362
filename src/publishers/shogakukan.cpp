// Shogakukan's book page: UTF-8 with a byte order mark. The heading line
// carries label, title and volume, the line after it the writer; a page that
// exists always counts as found.
#include "publishers/frame.h"
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/rule_vocabulary.h"
#include "publishers/sites.h"
#include "text/halfwidth.h"
#include "text/markup.h"
#include "text/sjis.h"
#include "text/title.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kHeading = "<h1>";
constexpr std::string_view kNotFound =
    "\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1";              // 見つかりません
constexpr std::string_view kWriterHead = "<p class=\"writer\">\x8D\xEC\x81^";  // <p class="writer">作／
constexpr std::string_view kFullWidthBar = "\x81\x62";                       // ｜
constexpr std::string_view kPublisherName = "\x8F\xAC\x8Aw\x8A\xD9";         // 小学館
constexpr std::string_view kSizeAndPages = "\x94\xBB\x8C^/\x95\xC5";         // 判型/頁
constexpr std::string_view kPagesUnit = "\x95\xC5";                          // 頁
constexpr std::string_view kReleaseDate = "\x94\xAD\x94\x84\x93\xFA";        // 発売日
constexpr std::string_view kPrice = "\x92\xE8\x89\xBF";                      // 定価
constexpr std::string_view kCoverBlock = "<p class=\"image\">";
constexpr std::string_view kAboutThisBook =
    "\x82\xB1\x82\xCC\x96{\x82\xCC\x93\xE0\x97\x65";  // この本の内容

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
