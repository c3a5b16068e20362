#include "text/book_size.h"

#include "text/markup.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

bool NormalizeBookSize(TBase& book, std::string_view text) {
  std::string size = FullWidthAlnumToAscii(text);
  ReplaceAllIn(size, "判"_sjis, "");
  ReplaceAllIn(size, "版"_sjis, "");
  ReplaceAllIn(size, "－"_sjis, "-");
  ReplaceAllIn(size, "4-6", "四六"_sjis);
  // Publishers spell the modified format 変形, 変型 or just 変; all end as 変型.
  ReplaceAllIn(size, "変形"_sjis, "変"_sjis);
  ReplaceAllIn(size, "変型"_sjis, "変"_sjis);
  ReplaceAllIn(size, "変"_sjis, "変型"_sjis);
  book.BookSize = std::move(size);
  return true;
}

}  // namespace okuzuke
