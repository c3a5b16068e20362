// Whatever the catalogue answers, the record made of it (or the cleared one)
// reads back as exactly 68 columns on one line, and so does each record a
// batch's answer gives. Input: the answer's bytes.
#include "catalogue/catalogue.h"
#include "fuzz_input.h"

using namespace okuzuke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const std::string_view answer = input.Rest();
  TBase book;
  static const Dictionary noAuthors;
  const int result = catalogue::RecordFromAnswer(answer, "9784000000019", book, noAuthors);
  if (result != 0 && result != 1) __builtin_trap();
  if (result == 0 && !book.Isbn.empty()) __builtin_trap();  // no record: nothing filled
  const std::string line = SerializeBookRecord(book);
  if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) __builtin_trap();
  if (SplitCommaText(line).size() != 68) __builtin_trap();

  static const std::vector<std::string> batch = {"9784000000019", "9784577024324", "9784591077467",
                                                 "9784798002064"};
  catalogue::Candidates chosen;
  const catalogue::AnswerReport report = catalogue::ReadAnswer(answer, batch, noAuthors, chosen);
  if (report.verdict != catalogue::Verdict::Answered && !chosen.empty()) __builtin_trap();
  for (auto& [isbn, candidate] : chosen) {
    if (candidate.book.Isbn != isbn || candidate.book.Title.empty()) __builtin_trap();
    if (SplitCommaText(SerializeBookRecord(candidate.book)).size() != 68) __builtin_trap();
  }
  return 0;
}
