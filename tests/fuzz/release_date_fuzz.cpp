#include "fuzz_input.h"
#include "text/release_date.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TBase book;
  int result = ParseReleaseDate(book, fuzz::FuzzInput(data, size).Rest());
  if (result != 0 && result != 1) __builtin_trap();
  return 0;
}
