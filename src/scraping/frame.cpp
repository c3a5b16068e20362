#include "scraping/frame.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "scraping/marker_index.h"
#include "text/charset.h"
#include "text/file_io.h"
#include "text/file_read.h"
#include "text/private_prefs.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke::scraping {

namespace {

// Read-ahead allowance per page: this many passes over all its lines, plus a
// margin for short pages.
constexpr std::ptrdiff_t kLookAheadPasses = 8;
constexpr std::ptrdiff_t kLookAheadSlack = 10000;

constexpr std::string_view kPrivateMarkerSuffix = ".pelmar_private";
// Descriptions keep no ideographic spaces: they become ASCII blanks.
constexpr std::string_view kIdeographicSpace = "　"_sjis;

// Converts a page whose lines all end in CR LF to Shift-JIS, in place.
void ConvertToShiftJis(PageEncoding encoding, std::string& text) {
  switch (encoding) {
    case PageEncoding::ShiftJis:
      return;
    case PageEncoding::Utf8WithBom:
      return Utf8BomToAnsiInPlace(text);
    case PageEncoding::Utf8:
      return Utf8ToAnsiInPlace(text);
    case PageEncoding::EucJp:
      return EucToSjisInPlace(text);
  }
}

// The page in memory as the rules see it: converted to Shift-JIS and its
// entities decoded, in place. A converted page has been given CR LF after
// every line first, so that a multi-byte sequence cut by a line end pairs
// with the CR, as in the page's list of lines written out; a Shift-JIS page
// needs no such care: no entity holds a line end.
PageLines Decoded(const Publisher& publisher, PageBuffers& buffers) {
  ConvertToShiftJis(publisher.encoding, buffers.text);
  DecodeEntities(buffers.text, publisher.entities);
  return PageLines(buffers);
}

// A page's memory goes back to the run's buffers when the scrape ends,
// but for a page so large that keeping it would hold memory through the run.
class BuffersReturned {
 public:
  BuffersReturned(PageLines& page, PageBuffers& buffers) : page_(page), buffers_(buffers) {}
  ~BuffersReturned() {
    std::move(page_).GiveBack(buffers_);
    if (buffers_.text.capacity() > kKeptPageBytes) buffers_ = PageBuffers();
  }
  BuffersReturned(const BuffersReturned&) = delete;
  BuffersReturned& operator=(const BuffersReturned&) = delete;

 private:
  static constexpr std::size_t kKeptPageBytes = 4 << 20;
  PageLines& page_;
  PageBuffers& buffers_;
};

// The distinct texts a publisher's rules look for (markers and the texts of
// AnyOf), and which of them each rule needs.
class RuleTexts {
 public:
  explicit RuleTexts(const std::vector<Rule>& rules) : marker_(rules.size()), anyOf_(rules.size()) {
    for (std::size_t r = 0; r < rules.size(); ++r) {
      marker_[r] = rules[r].marker.empty() ? kNone : Index(rules[r].marker);
      for (std::string_view text : rules[r].when.anyOf) anyOf_[r].push_back(Index(text));
      if (rules[r].marker.empty() && rules[r].when.anyOf.empty()) everyLine_.push_back(r);
      all_.push_back(r);
    }
    ruleSets_ = rules.size() <= kRuleSetSize && texts_.size() <= MarkerSearch::kIndexed;
    if (!ruleSets_) return;
    rulesNeeding_.assign(texts_.size(), 0);
    for (std::size_t r = 0; r < rules.size(); ++r) {
      const std::uint64_t bit = std::uint64_t{1} << r;
      if (marker_[r] != kNone) rulesNeeding_[marker_[r]] |= bit;
      else if (anyOf_[r].empty()) everyLineSet_ |= bit;
      for (std::size_t t : anyOf_[r]) rulesNeeding_[t] |= bit;
    }
  }
  const std::vector<std::string_view>& Texts() const { return texts_; }
  // Some rule is tried on every line, whatever it holds.
  bool AnyOnEveryLine() const { return !everyLine_.empty(); }
  // The rules, in table order, that are tried on a line holding none of
  // the texts; and all of them.
  const std::vector<std::size_t>& EveryLineRules() const { return everyLine_; }
  const std::vector<std::size_t>& AllRules() const { return all_; }

  // Rule sets as bits (rule r is bit r): there are few enough rules and
  // texts for them.
  static constexpr std::size_t kRuleSetSize = 64;
  bool HasRuleSets() const { return ruleSets_; }
  // The rules that may fire on a line holding the texts of `held`: those
  // tried on every line and those needing one of the held texts.
  std::uint64_t RulesFor(std::uint64_t held) const {
    std::uint64_t rules = everyLineSet_;
    for (; held != 0; held &= held - 1) rules |= rulesNeeding_[static_cast<std::size_t>(__builtin_ctzll(held))];
    return rules;
  }

  // The rule's marker, and one of its AnyOf texts if it has any, stand in
  // the line.
  bool Holds(std::size_t rule, const MarkerIndex& index, std::ptrdiff_t line) const {
    if (marker_[rule] != kNone && !index.Holds(line, marker_[rule])) return false;
    const std::vector<std::size_t>& anyOf = anyOf_[rule];
    return anyOf.empty() ||
           std::any_of(anyOf.begin(), anyOf.end(), [&](std::size_t t) { return index.Holds(line, t); });
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t Index(std::string_view text) {
    for (std::size_t t = 0; t < texts_.size(); ++t)
      if (texts_[t] == text) return t;
    texts_.push_back(text);
    return texts_.size() - 1;
  }

  std::vector<std::string_view> texts_;
  std::vector<std::size_t> everyLine_, all_;
  std::vector<std::size_t> marker_;               // per rule: its marker's text, or kNone
  std::vector<std::vector<std::size_t>> anyOf_;   // per rule: its AnyOf texts
  bool ruleSets_ = false;
  std::vector<std::uint64_t> rulesNeeding_;  // per text: the rules with it as marker or AnyOf text
  std::uint64_t everyLineSet_ = 0;
};

// What a publisher's scan looks for, worked out once per publisher.
struct ScanPlan {
  explicit ScanPlan(const Publisher& publisher) : texts(publisher.rules), search(texts.Texts()) {}
  RuleTexts texts;
  MarkerSearch search;
};

const ScanPlan& PlanFor(const Publisher& publisher) {
  static std::mutex guard;
  static std::map<const Publisher*, std::unique_ptr<ScanPlan>> plans;
  std::lock_guard<std::mutex> lock(guard);
  std::unique_ptr<ScanPlan>& plan = plans[&publisher];
  if (!plan) plan = std::make_unique<ScanPlan>(publisher);
  return *plan;
}

// The marker (and any of the texts of AnyOf) was tested by RuleTexts.
bool Fires(const Rule& rule, bool markerHeld, const Scan& scan, std::string_view line) {
  const When& when = rule.when;
  return markerHeld && (when.alsoHas.empty() || Contains(line, when.alsoHas)) &&
         (when.lacks.empty() || !Contains(line, when.lacks)) && (!when.onceFound || scan.found) &&
         (when.nextHas.empty() || Contains(scan.At(+1), when.nextHas));
}

// One collected line onto the text, unless the take leaves it out.
void AppendCollected(const Take& take, std::string_view line, std::string& text) {
  if (!take.skip.empty() && Contains(line, take.skip)) return;
  if (!take.eachLine) {
    text += line;
    return;
  }
  std::string own(line);
  take.eachLine(own);
  text += own;
}

// Appends lines from `first` on until a line that holds `until` (taken too
// when `through`) or the end of the page. Every line read ahead of line i
// spends the page's allowance.
void AppendLinesUntil(Scan& scan, const Take& take, std::ptrdiff_t first, bool through, std::string& text) {
  for (std::ptrdiff_t k = first; k < scan.page.Count(); ++k) {
    if (k > scan.line && !scan.SpendLookAhead()) return;
    const std::string_view line = scan.page[k];
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
      text.assign(scan.At(take.offset));
      break;
    case Take::Kind::Collect:
      AppendLinesUntil(scan, take, scan.line + take.offset, false, text);
      break;
    case Take::Kind::CollectThrough:
      AppendLinesUntil(scan, take, scan.line + take.offset, true, text);
      break;
    case Take::Kind::CollectFromHere: {
      const std::string_view here = scan.At(0);
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

void RunRules(const Publisher& publisher, Scan& scan, const bool& stopFlag, std::vector<std::uint64_t>& markerMasks) {
  const ScanBounds& bounds = publisher.scan;
  const std::ptrdiff_t count = scan.page.Count();
  if (count < bounds.minLines) return;
  const ScanPlan& plan = PlanFor(publisher);
  const RuleTexts& texts = plan.texts;
  const MarkerIndex index(plan.search, scan.page, markerMasks);
  for (std::ptrdiff_t i = std::max<std::ptrdiff_t>(bounds.firstLine, 0); i <= count - bounds.lastFromEnd; ++i) {
    if (stopFlag) return;
    // Rule r on line i; false when the scan ends.
    auto tryRule = [&](std::size_t r) {
      const Rule& rule = publisher.rules[r];
      if (Fires(rule, texts.Holds(r, index, i), scan, scan.page[i])) Apply(rule, r, scan);
      return !scan.ended;
    };
    if (texts.HasRuleSets()) {
      // Only the rules the line's texts call for are looked at.
      std::uint64_t rules = texts.RulesFor(index.Held(i));
      if (rules == 0) continue;
      scan.line = i;
      for (; rules != 0; rules &= rules - 1)
        if (!tryRule(static_cast<std::size_t>(__builtin_ctzll(rules)))) return;
    } else {
      const bool holdsNone = index.HoldsNone(i);
      if (holdsNone && !texts.AnyOnEveryLine()) continue;
      scan.line = i;
      for (const std::size_t r : holdsNone ? texts.EveryLineRules() : texts.AllRules())
        if (!tryRule(r)) return;
    }
    if (scan.done) return;
  }
}

void Finish(Scan& scan, const ScrapeContext& ctx, const std::string& pagePath) {
  TBase& book = scan.book;
  AssignAuthors(book, scan.credits, ctx.authorDictionary, true, true, true, "");
  ReplaceAllIn(book.Description, kIdeographicSpace, " ");
  TrimIn(book.Description);
  ApplyPrivatePreferences(book, pagePath + std::string(kPrivateMarkerSuffix), scan.rating, "");
}

}  // namespace

bool Always(const Scan&) { return true; }
bool WhenFound(const Scan& scan) { return scan.found; }
bool WhenFoundWithTitle(const Scan& scan) { return scan.found && !scan.book.Title.empty(); }

int Scrape(const Publisher& publisher, const std::string& pagePath, ScrapeContext& ctx) {
  // The file is read once, into the one buffer the page lives in.
  PageBuffers ownBuffers;
  PageBuffers& buffers = ctx.buffers ? *ctx.buffers : ownBuffers;
  const bool converted = publisher.encoding != PageEncoding::ShiftJis;
  if (!ReadWholeFileInto(pagePath, buffers.text, converted ? CrLfRoom : nullptr)) return 0;
  if (converted) ToCrLfLineEnds(buffers.text);
  if (buffers.text.size() >= UINT32_MAX) {  // none of a page's size
    buffers = PageBuffers();
    return 0;
  }
  PageLines page = Decoded(publisher, buffers);
  const BuffersReturned returned(page, buffers);

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
  RunRules(publisher, scan, ctx.stopFlag, buffers.lineMarkers);
  if (!publisher.finishWhen(scan)) return 0;
  if (publisher.beforeFinish) publisher.beforeFinish(scan);
  Finish(scan, ctx, pagePath);
  return 1;
}

}  // namespace okuzuke::scraping
