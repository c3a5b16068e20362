// How the plug-in introduces itself to the host.
#pragma once

#include "text/sjis_literal.h"

namespace okuzuke::plugin_info {

inline constexpr const char* kName = "DownlaodFunc";
inline constexpr const char* kTitle = "okuzuke 出版社サイト検索"_sjis.data();
inline constexpr const char* kCredit = "okuzuke developers";
inline constexpr const char* kVersion = "1.2.3";
inline constexpr const char* kKind = "3";

}  // namespace okuzuke::plugin_info
