#include "text/book_size.h"

#include "text/markup.h"
#include "text/sjis.h"

namespace okuzuke {

bool NormalizeBookSize(TBase& book, std::string_view text) {
  std::string size = FullWidthAlnumToAscii(text);
  size = ReplaceAll(size, "\x94\xBB", "");                  // 判
  size = ReplaceAll(size, "\x94\xC5", "");                  // 版
  size = ReplaceAll(size, "\x81\x7C", "-");                 // －
  size = ReplaceAll(size, "4-6", "\x8E\x6C\x98\x5A");       // 四六
  // Publishers spell the modified format 変形, 変型 or just 変; all end as 変型.
  size = ReplaceAll(size, "\x95\xCF\x8C\x60", "\x95\xCF");  // 変形 -> 変
  size = ReplaceAll(size, "\x95\xCF\x8C\x5E", "\x95\xCF");  // 変型 -> 変
  size = ReplaceAll(size, "\x95\xCF", "\x95\xCF\x8C\x5E");  // 変 -> 変型
  book.BookSize = std::move(size);
  return true;
}

}  // namespace okuzuke
