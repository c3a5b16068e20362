// Compiled by the tests with one of the macros below defined: each must stop
// the build. Without any, it must compile.
#include "text/sjis_literal.h"

using namespace okuzuke;

constexpr std::string_view kFine = "定価　ｱ〜"_sjis;
#if defined(OKUZUKE_NO_CP932_FORM)
constexpr std::string_view kNoForm = "café"_sjis;  // é has no code page 932 form
#elif defined(OKUZUKE_OUTSIDE_BMP)
constexpr std::string_view kEmoji = "😀"_sjis;
#elif defined(OKUZUKE_BAD_UTF8)
constexpr std::string_view kBad = "\xE5\xAE"_sjis;  // a character cut short
#endif
