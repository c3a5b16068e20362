// The user's dictionary files: "AuthDB.dat", "PubDB.dat", "LabelsDB.dat".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/file_stamp.h"
#include "text/record.h"

namespace okuzuke {

// A dictionary file held as lines and as its whole text (every line followed
// by CR LF), which is what lookups search, with an index of its "|field|"
// pieces so that a lookup need not read the whole text.
class Dictionary {
 public:
  void Assign(std::vector<std::string> lines);
  void Clear();
  bool Empty() const { return lines_.empty(); }
  const std::vector<std::string>& Lines() const { return lines_; }
  const std::string& Text() const { return text_; }

  // Where "|" + field + "|" first stands in Text(), byte for byte, as a
  // search of the whole text would find it (a field matches anywhere in a
  // line); nullopt when it does not.
  std::optional<std::size_t> FindField(std::string_view field) const;

  // The file this dictionary was read from and its stamp then, so that an
  // unchanged file need not be read again.
  bool ReadFrom(const std::string& path, const FileStamp& stamp) const {
    return source_ && *source_ == stamp && sourcePath_ == path;
  }
  void SetSource(const std::string& path, const FileStamp& stamp) {
    sourcePath_ = path;
    source_ = stamp;
  }

 private:
  std::vector<std::string> lines_;
  std::string text_;
  // Each text between two successive "|" (across line ends too), and where
  // its first "|" stands; a field holding no "|" stands there or nowhere.
  std::unordered_map<std::string, std::size_t> fields_;
  std::string sourcePath_;
  std::optional<FileStamp> source_;
};

// `directory` ends with a path separator; file names are appended to it.
bool LoadAuthorDictionary(Dictionary& authors, const std::string& directory);
void FreeAuthorDictionary(Dictionary& authors);
bool LoadLabelDictionary(Dictionary& labels, const std::string& directory);

// Sets Publisher from "PubDB.dat" by the publisher code in Isbn. True when
// the file exists.
bool LookupPublisher(TBase& book, const std::string& directory);
// The same with the file kept in `publishers` between lookups (read again
// only when it changed).
bool LookupPublisher(TBase& book, const std::string& directory, Dictionary& publishers);

// Replaces Label from the label dictionary on a hit. Always 1.
int LookupLabel(TBase& book, const Dictionary& labels);

// The key form of a name or label: without ・☆★♪, ニ as 二, half-width,
// no ASCII spaces, ｰ as "-", trimmed.
std::string NormalizeDictionaryKey(std::string_view text);

struct AuthorEntry {
  std::string name;
  std::string reading;
  std::string extra;
};

// The author dictionary's entry for a name (normalised to its key), if any.
std::optional<AuthorEntry> LookupAuthor(const Dictionary& authors, std::string_view name);

}  // namespace okuzuke
