// The routines over a whole text of a page: the first byte picks one; the
// markers of ExtractAfter and NthField are carved from the input too.
#include "fuzz_input.h"
#include "text/halfwidth.h"
#include "text/markup.h"
#include "text/record.h"
#include "text/sjis.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  switch (input.Byte() % 8) {
    case 0:
      StripMarkup(input.Rest());
      break;
    case 1:
      FullWidthAlnumToAscii(input.Rest());
      break;
    case 2: {
      std::string_view start = input.Part(), end = input.Part();
      ExtractAfter(input.Rest(), start, end);
      break;
    }
    case 3: {
      int n = input.Byte() % 16;
      std::string_view separator = input.Part();
      NthField(input.Rest(), separator.substr(0, 1), n);
      break;
    }
    case 4:
      ToHalfWidth(input.Rest());
      break;
    case 5:
      DigitsOnlyHalfWidth(input.Rest());
      break;
    case 6:
      EscapeRecordField(input.Rest());
      break;
    case 7: {
      std::string_view from = input.Part(), to = input.Part();
      std::string_view text = input.Rest();
      if (!from.empty()) {
        ReplaceAll(text, from, to);
        ReplaceAllOnCharBoundary(text, from, to);
      }
      SplitLines(text);
      break;
    }
  }
  return 0;
}
