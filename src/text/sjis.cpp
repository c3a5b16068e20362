#include "text/sjis.h"

#include <cstring>

namespace okuzuke {

std::size_t SjisCharLength(std::string_view text, std::size_t i) {
  return IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

namespace {

// The first place at or after character boundary `from` where `part` stands
// on a character boundary, or npos. Only the places where the bytes match are
// tested; the characters are walked just to tell whether such a place is a
// boundary.
std::size_t NextOnCharBoundary(std::string_view text, std::string_view part, std::size_t from) {
  std::size_t boundary = from;
  for (std::size_t hit = text.find(part, from); hit != std::string_view::npos; hit = text.find(part, boundary)) {
    while (boundary < hit) boundary += SjisCharLength(text, boundary);
    if (boundary == hit) return hit;  // else the bytes began inside a character
  }
  return std::string_view::npos;
}

}  // namespace

std::size_t FindOnCharBoundary(std::string_view text, std::string_view part) {
  if (part.empty()) return 0;
  return NextOnCharBoundary(text, part, 0);
}

std::string ReplaceAllOnCharBoundary(std::string_view text, std::string_view from,
                                     std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t copied = 0;
  for (std::size_t hit = NextOnCharBoundary(text, from, 0); hit != std::string_view::npos;
       hit = NextOnCharBoundary(text, from, copied)) {
    out.append(text, copied, hit - copied);
    out += to;
    copied = hit + from.size();
  }
  out.append(text, copied, std::string_view::npos);
  return out;
}

bool EndsWithOnCharBoundary(std::string_view text, std::string_view tail) {
  if (!EndsWith(text, tail)) return false;
  const std::size_t start = text.size() - tail.size();
  std::size_t i = 0;
  while (i < start) i += SjisCharLength(text, i);
  return i == start;
}

void ReplaceAllIn(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  std::size_t hit = text.find(from);
  if (hit == std::string::npos) return;
  if (to.size() > from.size()) {
    text = ReplaceAll(text, from, to);
    return;
  }
  // Compacts from left to right: what is written never passes what is read.
  char* data = text.data();
  std::size_t write = hit, read = hit;
  while (hit != std::string::npos) {
    std::memmove(data + write, data + read, hit - read);
    write += hit - read;
    if (!to.empty()) std::memcpy(data + write, to.data(), to.size());  // an empty `to` may have no data
    write += to.size();
    read = hit + from.size();
    hit = text.find(from, read);
  }
  std::memmove(data + write, data + read, text.size() - read);
  text.resize(write + text.size() - read);
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  for (;;) {
    std::size_t hit = text.find(from, pos);
    if (hit == std::string_view::npos) break;
    out.append(text, pos, hit - pos);
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text, pos, std::string_view::npos);
  return out;
}

static bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string_view TrimLeftView(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return text.substr(i);
}

std::string_view TrimRightView(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && IsBlank(text[n - 1])) --n;
  return text.substr(0, n);
}

std::string_view TrimView(std::string_view text) { return TrimRightView(TrimLeftView(text)); }

void TrimIn(std::string& text) {
  const std::string_view kept = TrimView(text);
  const auto from = static_cast<std::size_t>(kept.data() - text.data());
  text.erase(from + kept.size());
  text.erase(0, from);
}

std::string_view Before(std::string_view text, std::string_view marker) {
  std::size_t hit = text.find(marker);
  return hit == std::string_view::npos ? std::string_view() : text.substr(0, hit);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  // memchr finds each kind of line end fast; the nearer of the two ends the
  // line, and each search is only repeated once the scan has passed its hit.
  const char* begin = text.data();
  const char* end = begin + text.size();
  auto next = [end](const char* from, char c) {
    const void* hit = from < end ? std::memchr(from, c, static_cast<std::size_t>(end - from)) : nullptr;
    return hit ? static_cast<const char*>(hit) : end;
  };
  const char* start = begin;
  const char* cr = next(start, '\r');
  const char* lf = next(start, '\n');
  while (start < end) {
    const char* stop = cr < lf ? cr : lf;
    if (stop == end) {
      lines.emplace_back(start, static_cast<std::size_t>(end - start));
      break;
    }
    lines.emplace_back(start, static_cast<std::size_t>(stop - start));
    start = stop + ((*stop == '\r' && stop + 1 < end && stop[1] == '\n') ? 2 : 1);
    if (cr < start) cr = next(start, '\r');
    if (lf < start) lf = next(start, '\n');
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

std::string_view LastBytes(std::string_view text, std::size_t n) {
  return text.size() <= n ? text : text.substr(text.size() - n);
}

}  // namespace okuzuke
