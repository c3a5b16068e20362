// The dictionary files as a user may have edited them, and the lookups:
//   ISBN \0 publisher \0 label \0 PubDB.dat \0 LabelsDB.dat \0 AuthDB.dat \0 name
#include "fuzz_input.h"
#include "text/dictionaries.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  TBase book;
  book.Isbn = input.Part();
  book.Publisher = input.Part();
  book.Label = input.Part();
  fuzz::WriteScratch("PubDB.dat", input.Part());
  fuzz::WriteScratch("LabelsDB.dat", input.Part());
  fuzz::WriteScratch("AuthDB.dat", input.Part());
  const std::string& folder = fuzz::ScratchFolder();
  LookupPublisher(book, folder);
  Dictionary labels, authors;
  LoadLabelDictionary(labels, folder);
  LookupLabel(book, labels);
  LoadAuthorDictionary(authors, folder);
  LookupAuthor(authors, input.Rest());
  NormalizeDictionaryKey(input.Rest());
  return 0;
}
