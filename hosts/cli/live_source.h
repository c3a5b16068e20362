// Pages from the network, for `okuzuke run --live`.
#pragma once

#include <memory>

#include "common/page_source.h"

namespace okuzuke::cli {

// nullptr when this build has no network support.
std::unique_ptr<hosts::PageSource> MakeLiveSource();

}  // namespace okuzuke::cli
