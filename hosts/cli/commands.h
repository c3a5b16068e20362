// The subcommands of our `okuzuke` command-line host. Each takes the words
// after its own name and returns the process exit code. Output is UTF-8.
#pragma once

#include <string>
#include <vector>

namespace okuzuke::cli {

using Args = std::vector<std::string>;

int RunCommand(const Args& args);        // okuzuke run ...
int ShowCommand(const Args& args);       // okuzuke show RESULT-FILE
int NormalizeCommand(const Args& args);  // okuzuke normalize KIND TEXT ...
int ScrapeCommand(const Args& args);     // okuzuke scrape PUBLISHER PAGE-FILE | --list

}  // namespace okuzuke::cli
