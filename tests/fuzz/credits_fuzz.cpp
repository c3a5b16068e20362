// ParseAuthorCredits and AssignAuthors with a fuzzed author dictionary:
//   flags, separator \0 sub-separator \0 AuthDB.dat \0 credit line \0 credit line ...
#include "fuzz_input.h"
#include "text/credits.h"
#include "text/sjis.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const unsigned char flags = input.Byte();
  std::string_view separator = input.Part(), subSeparator = input.Part();
  Dictionary authors;
  authors.Assign(SplitLines(input.Part()));
  CreditList list(flags & 1);
  for (int n = 0; !input.Empty() && n < 16; ++n) {
    std::string_view line = input.Part();
    ParseAuthorCredits(list, line, separator.empty() ? "Dummy" : separator,
                       separator.empty() ? "Dummy" : separator, subSeparator);
  }
  TBase book;
  if (flags & 2) book.Author1 = "x";
  AssignAuthors(book, list, authors, flags & 4, flags & 8, flags & 16, separator);
  return 0;
}
