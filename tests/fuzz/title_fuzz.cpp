// NormalizeTitle on any raw title, with or without a volume set before.
#include "fuzz_input.h"
#include "text/title.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  TBase book;
  if (input.Byte() & 1) book.Volume = "1";
  NormalizeTitle(book, input.Rest());
  return 0;
}
