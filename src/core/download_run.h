// Everything DownlaodFunc does, in C++: the checks of its arguments, the
// host binding, the wait window and the run.
#pragma once

#include "text/sjis_literal.h"

namespace okuzuke {

void DownloadRun(const char* workFolder, const char* resultPath, const char* isbnList);

inline constexpr const char* kNoCodesMessage = "検索するISBNを取得できませんでした"_sjis.data();

}  // namespace okuzuke
