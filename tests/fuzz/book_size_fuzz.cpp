#include "fuzz_input.h"
#include "text/book_size.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TBase book;
  NormalizeBookSize(book, fuzz::FuzzInput(data, size).Rest());
  return 0;
}
