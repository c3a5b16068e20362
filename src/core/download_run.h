// Everything DownlaodFunc does, in C++: the checks of its arguments, the
// host binding, the wait window and the run.
#pragma once

namespace okuzuke {

void DownloadRun(const char* workFolder, const char* resultPath, const char* isbnList);

// "検索するISBNを取得できませんでした"
inline constexpr const char* kNoCodesMessage =
    "\x8C\x9F\x8D\xF5\x82\xB7\x82\xE9ISBN\x82\xF0\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9"
    "\x82\xF1\x82\xC5\x82\xB5\x82\xBD";

}  // namespace okuzuke
