// okuzuke normalize KIND TEXT: what the text normalisers make of a text, for
// people who edit the dictionaries and maintainers who adapt a scraper.
// Input and output are UTF-8; the routines work on Shift-JIS in between.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/display.h"
#include "text/book_size.h"
#include "text/codepage.h"
#include "text/credits.h"
#include "text/dictionaries.h"
#include "text/halfwidth.h"
#include "text/release_date.h"
#include "text/sjis_literal.h"
#include "text/title.h"

namespace okuzuke::cli {

namespace {

constexpr const char* kUsage =
    "usage: okuzuke normalize title TEXT\n"
    "       okuzuke normalize credits TEXT [--separator S] [--sub-separator S] [--sorted]\n"
    "       okuzuke normalize key|size|date|halfwidth TEXT\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

void Print(const char* name, std::string_view sjisValue) {
  std::printf("%s\t%s\n", name, FieldValueForDisplay(sjisValue).c_str());
}

int Credits(const std::string& text, const Args& options) {
  std::string separator("　"_sjis);
  std::string subSeparator;
  bool sorted = false;
  for (std::size_t i = 0; i < options.size(); ++i) {
    if (options[i] == "--sorted") {
      sorted = true;
    } else if (options[i] == "--separator" && i + 1 < options.size()) {
      separator = Utf8ToCp932(options[++i]);
    } else if (options[i] == "--sub-separator" && i + 1 < options.size()) {
      subSeparator = Utf8ToCp932(options[++i]);
    } else {
      return Usage();
    }
  }
  CreditList list(sorted);
  ParseAuthorCredits(list, Utf8ToCp932(text), separator, separator, subSeparator);
  for (const std::string& entry : list.Entries()) Print("credit", entry);
  TBase book;
  Dictionary noDictionary;
  AssignAuthors(book, list, noDictionary, true, true, true, "");
  Print("author1", book.Author1);
  Print("author1-reading", book.Author1Reading);
  Print("author2", book.Author2);
  Print("author2-reading", book.Author2Reading);
  Print("others", book.OtherAuthors);
  return 0;
}

}  // namespace

int NormalizeCommand(const Args& args) {
  if (args.size() < 2) return Usage();
  const std::string& kind = args[0];
  const std::string text = Utf8ToCp932(args[1]);
  const Args options(args.begin() + 2, args.end());
  if (kind == "credits") return Credits(args[1], options);
  if (!options.empty()) return Usage();

  TBase book;
  if (kind == "title") {
    std::string remarks = NormalizeTitle(book, text);
    Print("title", book.Title);
    Print("volume", book.Volume);
    Print("remarks", remarks);
  } else if (kind == "key") {
    Print("key", NormalizeDictionaryKey(text));
  } else if (kind == "size") {
    NormalizeBookSize(book, text);
    Print("size", book.BookSize);
  } else if (kind == "date") {
    int result = ParseReleaseDate(book, text);
    std::printf("result\t%d\n", result);
    Print("year", book.ReleaseYear);
    Print("month", book.ReleaseMonth);
    Print("day", book.ReleaseDay);
  } else if (kind == "halfwidth") {
    Print("text", ToHalfWidth(text));
  } else {
    return Usage();
  }
  return 0;
}

}  // namespace okuzuke::cli
