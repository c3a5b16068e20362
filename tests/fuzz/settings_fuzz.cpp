// The settings reader on any "Setting.ini" a user may have written.
#include "core/settings.h"
#include "fuzz_input.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const unsigned char fill = input.Byte();
  std::string_view text = input.Rest();
  IniValue(text, "Entry", "TaxSet");
  TBase book;
  if (fill & 1) book.PurchaseStatus = "x";
  ApplyEntrySettings(book, fuzz::WriteScratch("Setting.ini", text));
  return 0;
}
