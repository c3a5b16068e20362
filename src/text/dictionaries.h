// The user's dictionary files: "AuthDB.dat", "PubDB.dat", "LabelsDB.dat".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/record.h"

namespace okuzuke {

// A dictionary file held as lines and as its whole text (every line followed
// by CR LF), which is what lookups search.
class Dictionary {
 public:
  void Assign(std::vector<std::string> lines);
  void Clear();
  bool Empty() const { return lines_.empty(); }
  const std::vector<std::string>& Lines() const { return lines_; }
  const std::string& Text() const { return text_; }

 private:
  std::vector<std::string> lines_;
  std::string text_;
};

// `directory` ends with a path separator; file names are appended to it.
bool LoadAuthorDictionary(Dictionary& authors, const std::string& directory);
void FreeAuthorDictionary(Dictionary& authors);
bool LoadLabelDictionary(Dictionary& labels, const std::string& directory);

// Sets Publisher from "PubDB.dat" by the publisher code in Isbn. True when
// the file exists.
bool LookupPublisher(TBase& book, const std::string& directory);

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
