#include "text/private_prefs.h"

#include "text/file_io.h"
#include "text/sjis.h"

namespace okuzuke {

int ApplyPrivatePreferences(TBase& book, const std::string& markerPath, std::string_view rating,
                            std::string_view note) {
  if (!FileExists(markerPath)) return 1;
  book.BookSize = ReplaceAll(book.BookSize, "\x95\xB6\x8C\xC9", "A6");          // 文庫
  book.BookSize = ReplaceAll(book.BookSize, "\x83\x52\x83\x7E\x83\x62\x83\x4E", "");  // コミック
  book.AgeRating = std::string(rating);
  book.AgeRatingNote = std::string(note);
  book.PageUrl.clear();
  return 1;
}

}  // namespace okuzuke
