// Whatever the catalogue answers, the record made of it (or the cleared one)
// reads back as exactly 68 columns on one line. Input: the answer's bytes.
#include "catalogue/catalogue.h"
#include "fuzz_input.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  TBase book;
  static const Dictionary noAuthors;
  const int result = catalogue::RecordFromAnswer(input.Rest(), "9784000000019", book, noAuthors);
  if (result != 0 && result != 1) __builtin_trap();
  if (result == 0 && !book.Isbn.empty()) __builtin_trap();  // no record: nothing filled
  const std::string line = SerializeBookRecord(book);
  if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) __builtin_trap();
  if (SplitCommaText(line).size() != 68) __builtin_trap();
  return 0;
}
