// The three page converters; the first byte picks one.
#include "fuzz_input.h"
#include "text/charset.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const unsigned char which = input.Byte() % 3;
  std::string_view text = input.Rest();
  try {
    if (which == 0) Utf8ToAnsi(text);
    if (which == 1) Utf8BomToAnsi(text);
  } catch (const Utf8Error&) {
  }
  if (which == 2) EucToSjis(text);
  return 0;
}
