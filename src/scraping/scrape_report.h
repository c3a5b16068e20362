// A scrape's outcome as the maintainer's `okuzuke scrape` prints it, in UTF-8:
// "result<TAB>1|0", then one "NAME<TAB>VALUE" line per non-empty Book record
// field in field order, a CR LF inside a value shown as "$$".
#pragma once

#include <string>

#include "text/record.h"

namespace okuzuke {

std::string FormatScrapeReport(int result, const TBase& book);

}  // namespace okuzuke
