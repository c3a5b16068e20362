// Whatever the 66 fields hold, the record is one line that reads back, the
// code page 932 way, as exactly 68 columns, each the field as written.
// Input: the fields, separated by 0xFF bytes.
#include "fuzz_input.h"
#include "text/record.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  TBase book;
  for (int n = 1; n <= kBookFieldCount && !input.Empty(); ++n) BookField(book, n) = input.Part('\xFF');
  const std::string line = SerializeBookRecord(book);
  if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) __builtin_trap();
  std::vector<std::string> columns = SplitCommaText(line);
  if (columns.size() != 68) __builtin_trap();
  for (int n = 1, column = 0; n <= kBookFieldCount; ++n, ++column) {
    if (n == 20 || n == 40) ++column;
    if (columns[column] != EscapeRecordField(WellFormedRecordText(BookField(book, n)))) __builtin_trap();
  }
  return 0;
}
