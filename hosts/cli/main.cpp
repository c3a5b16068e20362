// okuzuke: our command-line host. It exports the host services, loads the
// plug-in library and runs lookups, and it carries the maintainers' tools.
#include <cstdio>
#include <cstring>
#include <exception>

#include "cli/commands.h"

namespace {

void PrintUsage(std::FILE* out) {
  std::fputs(
      "usage: okuzuke run [options] [CODES-FILE|-]   (okuzuke run --help)\n"
      "       okuzuke show [--all] RESULT-FILE\n"
      "       okuzuke normalize title|credits|key|size|date|halfwidth TEXT [options]\n"
      "       okuzuke scrape KEY PAGE-FILE [--dict DIR] [--trace] | okuzuke scrape --list\n",
      out);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace okuzuke::cli;
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  const std::string command = argv[1];
  const Args args(argv + 2, argv + argc);
  try {
    if (command == "run") return RunCommand(args);
    if (command == "show") return ShowCommand(args);
    if (command == "normalize") return NormalizeCommand(args);
    if (command == "scrape") return ScrapeCommand(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "okuzuke: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "okuzuke: unknown command '%s'\n", command.c_str());
  PrintUsage(stderr);
  return 2;
}
