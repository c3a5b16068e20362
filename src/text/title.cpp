#include "text/sjis_literal.h"
#include "text/title.h"

#include <algorithm>
#include <vector>

#include "text/markup.h"
#include "text/numerals.h"
#include "text/sjis.h"

namespace okuzuke {

namespace {

constexpr std::string_view kDai = "第"_sjis;  // ordinal prefix
constexpr std::string_view kKan = "巻"_sjis;  // volume counter
constexpr std::string_view kShu = "集"_sjis;  // collection counter
constexpr std::string_view kHen = "編"_sjis;  // part
constexpr std::string_view kAngleOpen = "〈"_sjis;
constexpr std::string_view kAngleClose = "〉"_sjis;

std::string WithoutCounters(std::string_view group) {
  return ReplaceAll(ReplaceAll(ReplaceAll(group, kDai, ""), kKan, ""), kShu, "");
}

// The later of the first occurrences of `a` and `b`; npos when neither occurs.
std::size_t LaterFirstOccurrence(std::string_view text, std::string_view a, std::string_view b) {
  std::size_t atA = text.find(a);
  std::size_t atB = text.find(b);
  if (atA == std::string_view::npos) return atB;
  if (atB == std::string_view::npos) return atA;
  return std::max(atA, atB);
}

// Remarks are built from the end of the title backwards: each piece found
// goes in front of those already found, separated by one space.
class Remarks {
 public:
  explicit Remarks(std::string_view last) : last_(last) {}
  void PutInFront(std::string_view piece) { front_.push_back(piece); }
  std::string Text() const {
    std::string out;
    for (auto it = front_.rbegin(); it != front_.rend(); ++it) {
      out += *it;
      out += ' ';
    }
    out += last_;
    return Trim(out);
  }

 private:
  std::string_view last_;
  std::vector<std::string_view> front_;
};

}  // namespace

bool IsVolumeDesignator(std::string_view text) {
  return text.empty() || IsAllDigits(text) || text == "上"_sjis ||
         text == "中"_sjis || text == "下"_sjis || IsKanjiNumeral(text) ||
         IsRomanNumeral(text);
}

std::string NormalizeVolume(std::string_view volume) { return Trim(FullWidthAlnumToAscii(volume)); }

// `text` is a view that only ever shrinks from the end (or, once, gets the
// counter suffix back), so every scan covers bytes that are then cut off and
// the whole routine stays linear in the length of the title.
std::string NormalizeTitle(TBase& book, std::string_view rawTitle) {
  std::string work = ReplaceAll(rawTitle, "（"_sjis, "(");
  ReplaceAllIn(work, "）"_sjis, ")");
  ReplaceAllIn(work, "！"_sjis, "!");
  ReplaceAllIn(work, "．"_sjis, ".");
  ReplaceAllIn(work, "　"_sjis, " ");
  work = FullWidthAlnumToAscii(work);
  std::string_view text = TrimView(work);

  // A remark in angle brackets at the very end: 〈新装版〉.
  std::string_view angleRemark;
  if (EndsWith(text, kAngleClose)) {
    std::size_t open = text.find(kAngleOpen);
    if (open != std::string_view::npos) {
      std::size_t from = open + kAngleOpen.size();
      std::size_t to = text.size() - kAngleClose.size();
      if (from < to) angleRemark = text.substr(from, to - from);
      text = TrimRightView(text.substr(0, open));
    }
  }
  Remarks remarks(angleRemark);

  // Trailing parenthesised groups, from the last one backwards: a volume
  // number or a remark each.
  while (!text.empty() && text.back() == ')') {
    const std::size_t close = text.size() - 1;
    std::size_t open = text.rfind('(', close);
    if (open == std::string_view::npos) break;  // a stray ")" opens no group
    if (text.substr(open + 1, close - open - 1).find(')') != std::string_view::npos && open > 0) {
      // Nested: "(... (...))" is one group from the "(" before the last one.
      std::size_t outer = text.rfind('(', open - 1);
      if (outer != std::string_view::npos) open = outer;
    }
    std::string_view group = text.substr(open + 1, close - open - 1);
    std::string cleaned = WithoutCounters(group);
    text = TrimRightView(text.substr(0, open));
    if (IsVolumeDesignator(cleaned) && book.Volume.empty())
      book.Volume = cleaned;
    else
      remarks.PutInFront(group);
  }

  if (book.Volume.empty()) {
    bool found = false;

    // A volume in parentheses followed by more text: "ABC (3) extra".
    std::size_t close = text.rfind(')');
    std::size_t open = close == std::string_view::npos || close == 0 ? std::string_view::npos
                                                                     : text.rfind('(', close - 1);
    if (open != std::string_view::npos) {
      std::string cleaned = WithoutCounters(text.substr(open + 1, close - open - 1));
      if (IsVolumeDesignator(cleaned)) {
        remarks.PutInFront(text.substr(close + 1));
        text = TrimRightView(text.substr(0, open));
        book.Volume = cleaned;
        found = true;
      }
    }

    // A trailing counter (巻, 集) is set aside; it comes back if no number
    // turns up in front of it.
    std::string_view withSuffix = text;
    bool suffixRemoved = false;
    if (!found && (EndsWith(text, kKan) || EndsWith(text, kShu))) {
      text.remove_suffix(2);
      suffixRemoved = true;
    }

    // The last word: "ABC 3", "ABC 上".
    if (!found) {
      std::size_t space = text.rfind(' ');
      if (space != std::string_view::npos && IsVolumeDesignator(text.substr(space + 1))) {
        book.Volume = text.substr(space + 1);
        text = TrimRightView(text.substr(0, space));
        found = true;
      }
    }

    // After 第 or 編: "ABC第3", "ABC編上".
    if (!found) {
      std::size_t at = LaterFirstOccurrence(text, kDai, kHen);
      if (at != std::string_view::npos && IsVolumeDesignator(text.substr(at + 2))) {
        book.Volume = text.substr(at + 2);
        text = text.substr(0, at + 2);
        if (EndsWith(text, kDai)) text = TrimRightView(text.substr(0, text.size() - 2));
        found = true;
      }
    }

    // After "Vol" or "vol", dots dropped: "ABC Vol.3".
    if (!found) {
      std::size_t at = LaterFirstOccurrence(text, "Vol", "vol");
      if (at != std::string_view::npos) {
        std::string number = ReplaceAll(text.substr(at + 3), ".", "");
        if (IsVolumeDesignator(number)) {
          book.Volume = number;
          text = TrimRightView(text.substr(0, at));
          found = true;
        }
      }
    }

    // Digits right before the counter: "ABC12巻".
    if (!found && suffixRemoved) {
      std::size_t digitsAt = text.size();
      while (digitsAt > 0 && text[digitsAt - 1] >= '0' && text[digitsAt - 1] <= '9') --digitsAt;
      if (digitsAt < text.size()) {
        book.Volume = text.substr(digitsAt);
        text = text.substr(0, digitsAt);
      } else {
        text = withSuffix;
      }
    }
  }

  book.Title = text;
  return remarks.Text();
}

}  // namespace okuzuke
