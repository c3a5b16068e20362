#include "text/private_prefs.h"

#include "text/file_io.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

int ApplyPrivatePreferences(TBase& book, const std::string& markerPath, std::string_view rating,
                            std::string_view note) {
  if (!FileExists(markerPath)) return 1;
  book.BookSize = ReplaceAll(book.BookSize, "文庫"_sjis, "A6");
  book.BookSize = ReplaceAll(book.BookSize, "コミック"_sjis, "");
  book.AgeRating = std::string(rating);
  book.AgeRatingNote = std::string(note);
  book.PageUrl.clear();
  return 1;
}

}  // namespace okuzuke
