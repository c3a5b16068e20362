#include "cli/install_layout.h"

#include <filesystem>

#include "host/process_path.h"
#include "text/file_io.h"

namespace okuzuke::cli {

namespace {

constexpr const char* kPluginName = "libokuzuke.so";

// `relative` (from the build's install layout) taken from the program's folder.
std::string FromProgram(const std::string& relative) {
  return (std::filesystem::path(ExecutableFolder() + "/") / relative).lexically_normal().string();
}

std::string BesideProgram() { return FromProgram(kPluginName); }
std::string Installed() { return FromProgram(std::string(OKUZUKE_PLUGIN_FROM_BIN) + "/" + kPluginName); }

}  // namespace

std::string DefaultPluginPath() {
  for (const std::string& path : {BesideProgram(), Installed()})
    if (FileExists(path)) return path;
  return {};
}

std::string PluginPlaces() { return BesideProgram() + " or " + Installed(); }

std::string DefaultSamplePages() {
  const std::string installed = FromProgram(std::string(OKUZUKE_SAMPLE_FROM_BIN) + "/pages");
  if (FileExists(installed + "/manifest.tsv")) return installed;
  return OKUZUKE_SOURCE_SAMPLE "/pages";
}

}  // namespace okuzuke::cli
