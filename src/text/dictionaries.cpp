#include "text/dictionaries.h"

#include <string_view>

#include "text/file_io.h"
#include "text/halfwidth.h"
#include "text/markup.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"
#include "text/user_text.h"

namespace okuzuke {

namespace {

constexpr std::string_view kAuthorFile = "AuthDB.dat";
constexpr std::string_view kPublisherFile = "PubDB.dat";
constexpr std::string_view kLabelFile = "LabelsDB.dat";

constexpr std::string_view kSeparator = "|";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kAuthorValueEnd = "|\r\n";

constexpr std::string_view kNakaguro = "・"_sjis;
constexpr std::string_view kWhiteStar = "☆"_sjis;
constexpr std::string_view kBlackStar = "★"_sjis;
constexpr std::string_view kEighthNote = "♪"_sjis;
constexpr std::string_view kKatakanaNi = "ニ"_sjis;
constexpr std::string_view kKanjiTwo = "二"_sjis;
constexpr char kHalfWidthProlongedSound = "ｰ"_sjis[0];

// Loads `path` into `dictionary`, in whichever encoding the user saved it,
// without the lines holding a character code page 932 lacks (better no entry
// than a wrong one); a missing or unreadable file leaves it empty. A file
// unchanged since the dictionary was read from it is not read again: every
// lookup still sees the file as it is now.
bool LoadInto(Dictionary& dictionary, const std::string& path) {
  const std::optional<FileStamp> stamp = StampOf(path);
  if (!stamp) {
    dictionary.Clear();
    return false;
  }
  if (dictionary.ReadFrom(path, *stamp)) return true;
  std::optional<UserText> text = ReadUserTextFile(path);
  if (!text) {
    dictionary.Clear();
    return false;
  }
  dictionary.Assign(text->skipped.empty() ? std::move(text->lines) : text->UsableLines());
  dictionary.SetSource(path, *stamp);
  return true;
}

// The text after the key "|field|" up to `end`, if the key stands in the
// dictionary.
std::optional<std::string> ValueAfter(const Dictionary& dictionary, std::string_view field, std::string_view end) {
  std::optional<std::size_t> at = dictionary.FindField(field);
  if (!at) return std::nullopt;
  const std::string_view text = std::string_view(dictionary.Text()).substr(*at + field.size() + 2);
  return std::string(text.substr(0, text.find(end)));
}

// Sets Publisher from the first code (n = 2..6 digits from `start`) whose key
// the dictionary holds. Only codes that fit in the ISBN are tried.
bool LookupPublisherCode(TBase& book, const Dictionary& publishers, std::size_t start) {
  const std::string& isbn = book.Isbn;
  for (std::size_t n = 2; n <= 6 && start + n <= isbn.size(); ++n) {
    if (std::optional<std::string> name = ValueAfter(publishers, isbn.substr(start, n), kLineEnd)) {
      book.Publisher = std::move(*name);
      return true;
    }
  }
  return false;
}

}  // namespace

void Dictionary::Assign(std::vector<std::string> lines) {
  Clear();
  lines_ = std::move(lines);
  text_ = JoinLines(lines_);
  std::size_t open = text_.find('|');
  while (open != std::string::npos) {
    const std::size_t close = text_.find('|', open + 1);
    if (close == std::string::npos) break;
    fields_.try_emplace(text_.substr(open + 1, close - open - 1), open);  // the first one stays
    open = close;
  }
}

void Dictionary::Clear() {
  lines_.clear();
  text_.clear();
  fields_.clear();
  sourcePath_.clear();
  source_.reset();
}

std::optional<std::size_t> Dictionary::FindField(std::string_view field) const {
  if (field.find('|') != std::string_view::npos) {
    // Several fields: the plain search.
    std::string key(kSeparator);
    key += field;
    key += kSeparator;
    std::size_t at = text_.find(key);
    return at == std::string::npos ? std::nullopt : std::optional<std::size_t>(at);
  }
  auto hit = fields_.find(std::string(field));
  return hit == fields_.end() ? std::nullopt : std::optional<std::size_t>(hit->second);
}

bool LoadAuthorDictionary(Dictionary& authors, const std::string& directory) {
  return LoadInto(authors, directory + std::string(kAuthorFile));
}

void FreeAuthorDictionary(Dictionary& authors) { authors.Clear(); }

bool LoadLabelDictionary(Dictionary& labels, const std::string& directory) {
  return LoadInto(labels, directory + std::string(kLabelFile));
}

bool LookupPublisher(TBase& book, const std::string& directory) {
  Dictionary publishers;
  return LookupPublisher(book, directory, publishers);
}

bool LookupPublisher(TBase& book, const std::string& directory, Dictionary& publishers) {
  const std::string path = directory + std::string(kPublisherFile);
  if (!LoadInto(publishers, path)) return FileExists(path);
  // 13-digit form: "9784" then the code; 10-digit form: "4" then the code.
  if (!book.Isbn.empty() && book.Isbn[0] == '9') LookupPublisherCode(book, publishers, 4);
  if (!book.Isbn.empty() && book.Isbn[0] == '4') LookupPublisherCode(book, publishers, 1);
  return true;
}

int LookupLabel(TBase& book, const Dictionary& labels) {
  if (labels.Empty()) return 1;
  const std::string field = book.Publisher + std::string(kSeparator) + NormalizeDictionaryKey(book.Label);
  if (std::optional<std::string> label = ValueAfter(labels, field, kLineEnd)) book.Label = std::move(*label);
  return 1;
}

// Works character by character: a byte-wise search for "ｰ" (0xB0) would also
// hit the trail byte of kanji such as 寛 or 晴 and break the key.
std::string NormalizeDictionaryKey(std::string_view text) {
  std::string marksRemoved;
  marksRemoved.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::string_view ch = text.substr(i, SjisCharLength(text, i));
    i += ch.size();
    if (ch == kNakaguro || ch == kWhiteStar || ch == kBlackStar || ch == kEighthNote) continue;
    marksRemoved += ch == kKatakanaNi ? kKanjiTwo : ch;
  }

  const std::string half = ToHalfWidth(marksRemoved);
  std::string key;
  key.reserve(half.size());
  for (std::size_t i = 0; i < half.size();) {
    std::string_view ch = std::string_view(half).substr(i, SjisCharLength(half, i));
    i += ch.size();
    if (ch == " ") continue;
    if (ch.size() == 1 && ch[0] == kHalfWidthProlongedSound) {
      key += '-';
    } else {
      key += ch;
    }
  }
  return Trim(key);
}

std::optional<AuthorEntry> LookupAuthor(const Dictionary& authors, std::string_view name) {
  std::string normalized = NormalizeDictionaryKey(name);
  // An empty key ("||") would match the first empty field of any line.
  if (normalized.empty()) return std::nullopt;
  // A line without its closing "|" reads on into the following lines.
  std::optional<std::string> found = ValueAfter(authors, normalized, kAuthorValueEnd);
  if (!found) return std::nullopt;
  const std::string& value = *found;
  return AuthorEntry{NthField(value, kSeparator, 1), NthField(value, kSeparator, 2),
                     NthField(value, kSeparator, 3)};
}

}  // namespace okuzuke
