// Pages from the network, for `okuzuke run --live`.
#pragma once

#include <memory>
#include <string>

#include "common/page_source.h"

namespace okuzuke::cli {

struct LiveOptions {
  double delaySeconds = 1;    // between the starts of two downloads from one site host
  double timeoutSeconds = 30;  // for one download
  std::string proxy;          // empty: libcurl's own choice (it honours http_proxy)
};

// nullptr when this build has no network support.
std::unique_ptr<hosts::PageSource> MakeLiveSource(const LiveOptions& options);

}  // namespace okuzuke::cli
