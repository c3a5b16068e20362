// Shueisha's book page: Shift-JIS. The three lines after "<title>" hold the
// title fields, the author fields and "label|publisher", each "/"-separated;
// this scraper splits them itself and writes the author fields directly.
#include <algorithm>

#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/markup.h"
#include "text/numerals.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

// The scan stops this far from the end, and so does the profile search.
constexpr int kLastFromEnd = 8;

constexpr std::string_view kTitleMarker = "<title>";
constexpr std::string_view kFullWidthBar = "｜"_sjis;
constexpr std::string_view kPublisherName = "集英社"_sjis;
constexpr std::string_view kSizeAndPages = "判型／総ページ数"_sjis;
constexpr std::string_view kTotalPages = "総ページ数"_sjis;
constexpr std::string_view kPagesTail = "ジ"_sjis;
constexpr std::string_view kPagesUnit = "ペー"_sjis;
constexpr std::string_view kColon = "："_sjis;
constexpr std::string_view kReleaseDate = "■発売年月日"_sjis;
constexpr std::string_view kReleaseDateHead = "■発売年月日："_sjis;
constexpr std::string_view kPrice = "■定価："_sjis;
constexpr std::string_view kContentsImage = "/search/image/page_contents.gif";
constexpr std::string_view kTableOfContents = "<b>目次</b>"_sjis;
constexpr std::string_view kTableOfContentsHead = "\r\n\r\n目次：\r\n"_sjis;

// Title split: the first empty field among the first five decides how many
// fields the line has; fewer than five means the page is the book's. A line
// whose very first field is empty carries no title (a page without the book
// has markup there), so it does not make the page found.
void TitleFields(Scan& scan, const std::string& text) {
  TBase& book = scan.book;
  int firstEmpty = 0;
  for (int j = 1; j <= 5 && firstEmpty == 0; ++j)
    if (NthField(text, "/", j).empty()) firstEmpty = j;
  if (firstEmpty >= 2) scan.found = true;

  book.Title = NthField(text, "/", 1);
  std::string second = NthField(text, "/", 2);
  if (firstEmpty == 3) {
    (ContainsDigit(second) ? book.Volume : book.Subtitle) = second;
  } else if (firstEmpty == 4) {
    std::string third = NthField(text, "/", 3);
    if (ContainsDigit(second)) {
      book.Volume = second;
      book.Subtitle = third;
    } else {
      book.Volume = third;
      book.Subtitle = second;
    }
  }
}

// A byte that a line must hold to show `name` once cleaned and stripped of
// markup (which only take bytes away, or give '<', '>' and ' '); 0 when the
// name has none.
char ByteTheLineNeeds(std::string_view name) {
  for (std::size_t i = name.size(); i-- > 0;)
    if (name[i] != '<' && name[i] != '>' && name[i] != ' ') return name[i];
  return 0;
}

// The named authors' profile lines further down the page go to the other
// authors, each after a line break, until a line for each author was seen.
// Only the lines that can hold a name are cleaned and searched; every line
// passed spends the page's read-ahead all the same.
// The lines that hold one byte, looked for ahead of the scan a few lines at a
// time, so that what is searched stays close to what the scan passes.
class LinesWithByte {
 public:
  LinesWithByte(const PageLines& page, char b) : page_(page), b_(b) {}
  // The first of the lines k..limit that holds the byte, or limit + 1.
  std::ptrdiff_t Next(std::ptrdiff_t k, std::ptrdiff_t limit) {
    if (hit_ >= k) return hit_ <= limit ? hit_ : limit + 1;
    const std::ptrdiff_t start = std::max(k, clearUpTo_ + 1);
    if (start > limit) return limit + 1;
    hit_ = page_.NextLineHolding(b_, start, limit);
    if (hit_ > limit) clearUpTo_ = limit;
    return hit_;
  }

 private:
  const PageLines& page_;
  char b_;
  std::ptrdiff_t hit_ = -1;        // a line found to hold the byte
  std::ptrdiff_t clearUpTo_ = -1;  // no line up to this one holds it
};

// The named authors' profile lines further down the page go to the other
// authors, each after a line break, until a line for each author was seen.
// Only the lines that can hold a name are cleaned and searched; every line
// passed spends the page's read-ahead all the same.
void AppendProfiles(Scan& scan, std::string_view first, std::string_view second) {
  constexpr std::ptrdiff_t kLookAhead = 64;
  const std::ptrdiff_t from = scan.line + 4, end = scan.page.Count() - kLastFromEnd;
  if (from > end) return;
  const char needFirst = ByteTheLineNeeds(first), needSecond = ByteTheLineNeeds(second);
  const bool screened = needFirst != 0 && (second.empty() || needSecond != 0);
  LinesWithByte firstLines(scan.page, needFirst), secondLines(scan.page, needSecond);
  bool firstSeen = false;
  bool secondSeen = false;
  for (std::ptrdiff_t k = from; k <= end;) {
    const std::ptrdiff_t limit = std::min(end, k + kLookAhead - 1);
    std::ptrdiff_t line = k;
    if (screened) {
      line = firstLines.Next(k, limit);
      if (!second.empty()) line = std::min(line, secondLines.Next(k, limit));
    }
    const std::ptrdiff_t passed = std::min(line, limit);
    if (!scan.SpendLookAhead(passed - k + 1)) return;
    k = passed + 1;
    if (line > limit) continue;  // no name in these lines
    std::string text(scan.page[line]);
    Clean(text);
    Strip(text);
    if (Contains(text, first)) {
      scan.book.OtherAuthors += "\r\n" + text;
      firstSeen = true;
    }
    if (!second.empty() && Contains(text, second)) {
      scan.book.OtherAuthors += "\r\n" + text;
      secondSeen = true;
    }
    if (firstSeen && secondSeen) return;
  }
}

// Author split: up to three leading non-empty fields. The second name goes
// to author 2 also when there is a third (which goes to the other authors),
// so no name is lost and both are looked for among the profiles.
void AuthorFields(Scan& scan, const std::string& text) {
  TBase& book = scan.book;
  std::string fields[3];
  int count = 0;
  for (; count < 3; ++count) {
    fields[count] = NthField(text, "/", count + 1);
    if (fields[count].empty()) break;
  }

  book.Author1 = fields[0];
  if (count >= 2) book.Author2 = fields[1];
  if (count == 3) book.OtherAuthors = fields[2];
  if (count >= 2) AppendProfiles(scan, fields[0], fields[1]);
}

void LabelAndPublisher(Scan& scan, const std::string& text) {
  if (!Contains(text, "|")) return;
  scan.book.Label = NthField(text, "|", 1);
  scan.book.Publisher = std::string(kPublisherName);
}

void AppendTableOfContents(Scan& scan, const std::string& text) {
  scan.book.Description += std::string(kTableOfContentsHead) + text;
}

const Publisher& Shueisha() {
  static const std::string coverFolder = std::string(sites::kShueisha) + "/search/book_image/";
  static const Publisher publisher{
      .key = "shueisha",
      .encoding = PageEncoding::ShiftJis,
      .entities = {kAmp, kQuot},
      .scan = {.firstLine = 0, .minLines = kLastFromEnd, .lastFromEnd = kLastFromEnd},
      .credits = CreditOrder::Unsorted,
      .finishWhen = WhenFound,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i, condition, cut, post-processing, store
          {"title, volume, subtitle", LineAt(+1), kTitleMarker, {}, {Clean},
           {Replace(kFullWidthSlash, "/"), Remove(kFullWidthBar), Strip}, TitleFields},
          {"authors", LineAt(+2), kTitleMarker, {}, {Clean},
           {Replace(kFullWidthSlash, "/"), Remove(kFullWidthBar), Strip}, AuthorFields},
          {"label, publisher", LineAt(+3), kTitleMarker, {}, {Clean},
           {Replace(kFullWidthSlash, "/"), Replace(kFullWidthBar, "|"), Strip}, LabelAndPublisher},
          {"size", LineAt(0), kSizeAndPages, {},
           {Clean, Strip, Between(kTotalPages, kPagesTail), Between(kColon, kFullWidthSlash)}, {}, SizeField},
          {"page count", LineAt(0), kSizeAndPages, {},
           {Clean, Strip, Between(kTotalPages, kPagesTail), Between(kFullWidthSlash, kPagesUnit)}, {},
           Into(&TBase::PageCount)},
          {"release date", LineAt(0), kReleaseDate, {}, {Clean}, {Remove(kReleaseDateHead), Strip}, DateFields},
          {"price", LineAt(0), kPrice, {}, {Clean, Between(kColon, kYen)}, {Remove(","), Strip},
           Into(&TBase::Price)},
          {"cover image URL", LineAt(0), coverFolder, {}, {Clean, Between(kImgSrc, kQuote)}, {Remove(",")},
           CoverAsIs},
          {"description", LineAt(0), kContentsImage, {}, {Clean}, {BrToCrLf, Strip},
           DescriptionWith(kDescriptionHead)},
          {"table of contents", LineAt(0), kTableOfContents, {}, {Clean, After(kTableOfContents)},
           {BrToCrLf, Strip}, All(AppendTableOfContents, MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeShueisha(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(Shueisha(), pagePath, ctx);
}

}  // namespace okuzuke
