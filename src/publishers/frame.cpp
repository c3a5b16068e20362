#include "publishers/frame.h"

#include <algorithm>
#include <array>

#include "publishers/page_texts.h"
#include "text/charset.h"
#include "text/file_io.h"
#include "text/private_prefs.h"
#include "text/sjis.h"

namespace okuzuke::scraping {

namespace {

// Read-ahead allowance per page: this many passes over all its lines, plus a
// margin for short pages.
constexpr std::ptrdiff_t kLookAheadPasses = 8;
constexpr std::ptrdiff_t kLookAheadSlack = 10000;

constexpr std::string_view kPrivateMarkerSuffix = ".pelmar_private";

std::string ConvertToShiftJis(PageEncoding encoding, std::string text) {
  switch (encoding) {
    case PageEncoding::ShiftJis:
      return text;
    case PageEncoding::Utf8WithBom:
      return Utf8BomToAnsi(text);
    case PageEncoding::Utf8:
      return Utf8ToAnsi(text);
    case PageEncoding::EucJp:
      return EucToSjis(text);
  }
  return text;
}

// The bytes of a line, as a table of 256. A text can only stand in a line
// that holds every byte of it, which rules most markers out of most lines
// without a search (markers mostly open with the '<' that HTML lines are
// full of, so a search would stop at every tag).
class LineBytes {
 public:
  void Take(std::string_view line) {
    seen_.fill(false);
    for (char c : line) seen_[static_cast<unsigned char>(c)] = true;
  }
  bool HoldsAll(std::string_view bytes) const {
    for (char c : bytes)
      if (!seen_[static_cast<unsigned char>(c)]) return false;
    return true;
  }

 private:
  std::array<bool, 256> seen_{};
};

// The distinct bytes of a text, those that HTML is full of last, so that a
// line without the text is usually told by the first byte looked up.
std::string DistinctBytes(std::string_view text) {
  static constexpr std::string_view kCommon = " \t<>/=\"abcdefghijklmnopqrstuvwxyz";
  std::string rare, common;
  for (char c : text) {
    std::string& part = kCommon.find(c) == std::string_view::npos ? rare : common;
    if (rare.find(c) == std::string::npos && common.find(c) == std::string::npos) part += c;
  }
  return rare + common;
}

// Rules of a publisher often share a marker; each distinct marker is tested
// once per line. A rule on any of several texts tests them after its marker.
class MarkerTests {
 public:
  explicit MarkerTests(const std::vector<Rule>& rules)
      : sameAs_(rules.size()), bytes_(rules.size()), alternatives_(rules.size()), state_(rules.size()) {
    for (std::size_t r = 0; r < rules.size(); ++r) {
      sameAs_[r] = r;
      bytes_[r] = DistinctBytes(rules[r].marker);
      for (std::string_view text : rules[r].when.anyOf) alternatives_[r].push_back({text, DistinctBytes(text)});
      for (std::size_t earlier = 0; earlier < r; ++earlier)
        if (rules[earlier].marker == rules[r].marker) {
          sameAs_[r] = earlier;
          break;
        }
    }
  }
  void NewLine(std::string_view line) {
    std::fill(state_.begin(), state_.end(), kUntested);
    line_.Take(line);
  }
  bool Holds(std::size_t rule, std::string_view line, std::string_view marker) {
    const std::size_t first = sameAs_[rule];
    char& state = state_[first];
    if (state == kUntested) state = HoldsText(line, marker, bytes_[first]) ? kHeld : kAbsent;
    if (state != kHeld) return false;
    const std::vector<Alternative>& alternatives = alternatives_[rule];
    return alternatives.empty() ||
           std::any_of(alternatives.begin(), alternatives.end(),
                       [&](const Alternative& a) { return HoldsText(line, a.text, a.bytes); });
  }

 private:
  struct Alternative {
    std::string_view text;
    std::string bytes;
  };
  bool HoldsText(std::string_view line, std::string_view text, const std::string& bytes) const {
    return line_.HoldsAll(bytes) && Contains(line, text);
  }

  static constexpr char kUntested = 0, kHeld = 1, kAbsent = 2;
  std::vector<std::size_t> sameAs_;                     // the first rule with the same marker
  std::vector<std::string> bytes_;                      // the distinct bytes of each rule's marker
  std::vector<std::vector<Alternative>> alternatives_;  // each rule's texts of which one must stand
  std::vector<char> state_;
  LineBytes line_;  // the bytes of the line being tested
};

// The marker (and any of the texts of AnyOf) was tested by MarkerTests.
bool Fires(const Rule& rule, bool markerHeld, const Scan& scan, std::string_view line) {
  const When& when = rule.when;
  return markerHeld && (when.alsoHas.empty() || Contains(line, when.alsoHas)) &&
         (when.lacks.empty() || !Contains(line, when.lacks)) && (!when.onceFound || scan.found) &&
         (when.nextHas.empty() || Contains(scan.At(+1), when.nextHas));
}

// One collected line onto the text, unless the take leaves it out.
void AppendCollected(const Take& take, const std::string& line, std::string& text) {
  if (!take.skip.empty() && Contains(line, take.skip)) return;
  if (!take.eachLine) {
    text += line;
    return;
  }
  std::string own = line;
  take.eachLine(own);
  text += own;
}

// Appends lines from `first` on until a line that holds `until` (taken too
// when `through`) or the end of the page. Every line read ahead of line i
// spends the page's allowance.
void AppendLinesUntil(Scan& scan, const Take& take, std::ptrdiff_t first, bool through, std::string& text) {
  for (std::ptrdiff_t k = first; k < scan.page.Count(); ++k) {
    if (k > scan.line && !scan.SpendLookAhead()) return;
    const std::string& line = scan.page[k];
    const bool ends = Contains(line, take.until);
    if (ends && !through) return;
    AppendCollected(take, line, text);
    if (ends) return;
  }
}

std::string Taken(const Take& take, Scan& scan) {
  std::string text;
  switch (take.kind) {
    case Take::Kind::Nothing:
      break;
    case Take::Kind::Line:
      text = scan.At(take.offset);
      break;
    case Take::Kind::Collect:
      AppendLinesUntil(scan, take, scan.line + take.offset, false, text);
      break;
    case Take::Kind::CollectThrough:
      AppendLinesUntil(scan, take, scan.line + take.offset, true, text);
      break;
    case Take::Kind::CollectFromHere: {
      const std::string& here = scan.At(0);
      std::size_t end = here.find(take.until);
      if (end != std::string::npos) {
        AppendCollected(take, here.substr(0, end), text);
        break;
      }
      AppendCollected(take, here, text);
      AppendLinesUntil(scan, take, scan.line + 1, false, text);
      break;
    }
    case Take::Kind::LineThenCollect:
      AppendCollected(take, scan.At(0), text);
      if (!Contains(scan.At(0), take.until)) AppendLinesUntil(scan, take, scan.line + 1, false, text);
      break;
  }
  return text;
}

void Apply(const Rule& rule, std::size_t index, Scan& scan) {
  std::string text = Taken(rule.take, scan);
  for (const TextStep& step : rule.cut) step(text);
  for (const TextStep& step : rule.post) step(text);
  if (scan.observer) scan.observer->Fired(index, scan.line, text);
  rule.store(scan, text);
}

void RunRules(const Publisher& publisher, Scan& scan, const bool& stopFlag) {
  const ScanBounds& bounds = publisher.scan;
  const std::ptrdiff_t count = scan.page.Count();
  if (count < bounds.minLines) return;
  MarkerTests markers(publisher.rules);
  for (std::ptrdiff_t i = bounds.firstLine; i <= count - bounds.lastFromEnd; ++i) {
    if (stopFlag) return;
    scan.line = i;
    const std::string& line = scan.page[i];
    markers.NewLine(line);
    for (std::size_t r = 0; r < publisher.rules.size(); ++r) {
      const Rule& rule = publisher.rules[r];
      if (!Fires(rule, markers.Holds(r, line, rule.marker), scan, line)) continue;
      Apply(rule, r, scan);
      if (scan.ended) return;
    }
    if (scan.done) return;
  }
}

void Finish(Scan& scan, const ScrapeContext& ctx, const std::string& pagePath) {
  TBase& book = scan.book;
  AssignAuthors(book, scan.credits, ctx.authorDictionary, true, true, true, "");
  book.Description = Trim(ReplaceAll(book.Description, kFullWidthSpace, " "));
  ApplyPrivatePreferences(book, pagePath + std::string(kPrivateMarkerSuffix), scan.rating, "");
}

}  // namespace

const std::string& PageLines::operator[](std::ptrdiff_t index) const {
  static const std::string kOutside;
  return index >= 0 && index < Count() ? lines_[static_cast<std::size_t>(index)] : kOutside;
}

bool Always(const Scan&) { return true; }
bool WhenFound(const Scan& scan) { return scan.found; }
bool WhenFoundWithTitle(const Scan& scan) { return scan.found && !scan.book.Title.empty(); }

std::vector<std::string> DecodePage(const Publisher& publisher, std::vector<std::string> lines) {
  if (publisher.encoding == PageEncoding::ShiftJis && publisher.entities.empty()) return lines;
  // Whole-page steps work on the lines joined with CR LF, as the page list
  // would be written out (so a multi-byte sequence cut by a line end pairs
  // with the CR), and split the result again.
  std::string text = ConvertToShiftJis(publisher.encoding, JoinLines(lines));
  for (const Entity& entity : publisher.entities) text = ReplaceAll(text, entity.from, entity.to);
  return SplitLines(text);
}

int Scrape(const Publisher& publisher, const std::string& pagePath, ScrapeContext& ctx) {
  if (!FileExists(pagePath)) return 0;
  std::optional<std::vector<std::string>> lines = LoadLines(pagePath);
  if (!lines) return 0;
  const PageLines page(DecodePage(publisher, std::move(*lines)));

  Scan scan{.book = ctx.book,
            .credits = CreditList(publisher.credits == CreditOrder::Sorted),
            .page = page,
            .rating = std::string(publisher.rating),
            .lookAheadLeft = kLookAheadPasses * page.Count() + kLookAheadSlack,
            .observer = ctx.observer};
  if (ctx.observer) {
    std::vector<RuleInfo> rules;
    for (const Rule& rule : publisher.rules) rules.push_back({rule.fields, rule.marker});
    ctx.observer->Rules(rules);
  }
  RunRules(publisher, scan, ctx.stopFlag);
  if (!publisher.finishWhen(scan)) return 0;
  if (publisher.beforeFinish) publisher.beforeFinish(scan);
  Finish(scan, ctx, pagePath);
  return 1;
}

}  // namespace okuzuke::scraping
