#include "text/markup.h"

#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

// Comment markers are hidden behind full-width signs while tags are removed,
// so that neither "<!--" nor "-->" counts as a tag; the signs hold no ASCII
// '<' or '>' byte, so the comment text between them survives as well.
constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCommentClose = "-->";
constexpr std::string_view kProtectedOpen = "＜!--"_sjis;
constexpr std::string_view kProtectedClose = "--＞"_sjis;

// Removes tags in one pass. At every step the text before the next '>' is
// either kept up to a '<' that precedes it (text before a tag) or dropped
// (a stray '>' swallows what precedes it); a '<' without a '>' after it ends
// the text. The next '<' and '>' are remembered between steps, so each byte is
// searched at most once for each of them.
std::string RemoveTags(std::string_view text) {
  constexpr std::size_t npos = std::string_view::npos;
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  std::size_t nextOpen = text.find('<');
  std::size_t nextClose = text.find('>');
  while (pos < text.size()) {
    if (nextOpen != npos && nextOpen < pos) nextOpen = text.find('<', pos);
    if (nextClose != npos && nextClose < pos) nextClose = text.find('>', pos);
    if (nextClose == npos) {
      // No '>' left: an unclosed tag eats the rest, otherwise keep it all.
      out.append(text.substr(pos, nextOpen == npos ? npos : nextOpen - pos));
      return out;
    }
    if (nextOpen != npos && nextOpen < nextClose) out.append(text.substr(pos, nextOpen - pos));
    pos = nextClose + 1;
  }
  return out;
}

}  // namespace

std::string StripMarkup(std::string_view text) {
  std::string out;
  if (Contains(text, kCommentOpen) || Contains(text, kCommentClose)) {
    out = RemoveTags(ReplaceAll(ReplaceAll(text, kCommentOpen, kProtectedOpen), kCommentClose, kProtectedClose));
  } else {
    out = RemoveTags(text);
  }
  // Both protected forms hold "--", which most texts lack; their full-width
  // lead byte is everywhere in Japanese text.
  if (out.find("--") != std::string::npos) {
    ReplaceAllIn(out, kProtectedOpen, kCommentOpen);
    ReplaceAllIn(out, kProtectedClose, kCommentClose);
  }
  if (out.find('&') != std::string::npos) {
    ReplaceAllIn(out, "&lt;", "<");
    ReplaceAllIn(out, "&gt;", ">");
    ReplaceAllIn(out, "&nbsp;", " ");
  }
  return out;
}

std::string FullWidthAlnumToAscii(std::string_view text) {
  std::string out(text.size(), '\0');  // never longer than the text
  char* write = out.data();
  std::size_t i = 0;
  while (i < text.size() && text[i] != '\0') {
    const auto lead = static_cast<unsigned char>(text[i]);
    // A lead byte at the end, or before a 0 byte, has no trail: copy it alone.
    if (!IsSjisLeadByte(lead) || i + 1 >= text.size() || text[i + 1] == '\0') {
      *write++ = text[i];
      ++i;
      continue;
    }
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0x82 && trail >= 0x4F && trail <= 0x79) {
      *write++ = static_cast<char>(trail - 31);  // ０-９, Ａ-Ｚ
    } else if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A) {
      *write++ = static_cast<char>(trail - 32);  // ａ-ｚ
    } else {
      *write++ = text[i];
      *write++ = text[i + 1];
    }
    i += 2;
  }
  out.resize(static_cast<std::size_t>(write - out.data()));
  return out;
}

std::string ExtractAfter(std::string_view text, std::string_view start, std::string_view end) {
  const std::size_t hit = text.find(start);
  if (hit == std::string_view::npos) return {};
  std::string_view rest = text.substr(hit + start.size());
  if (!end.empty()) rest = rest.substr(0, rest.find(end));
  return std::string(rest);
}

std::string NthField(std::string_view text, std::string_view separator, int n) {
  std::string_view rest = text;
  std::string_view field;
  for (; n > 0; --n) {
    const std::size_t hit =
        separator.empty() ? std::string_view::npos : FindOnCharBoundary(rest, separator);
    if (hit == std::string_view::npos) {
      field = n == 1 ? rest : std::string_view();
      break;
    }
    field = rest.substr(0, hit);
    // Continue behind the whole separator (one byte for "|", the only one in
    // use; a longer one must not leave its tail at the front of the next field).
    rest = rest.substr(hit + separator.size());
  }
  return std::string(field);
}

std::string DigitsOnlyHalfWidth(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9') digits.push_back(c);
  }
  // ASCII digits are already half-width; no mapping is needed.
  return digits.empty() ? std::string(text) : digits;
}

}  // namespace okuzuke
