// Whole-file reading and writing. Paths are passed through unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace okuzuke {

bool FileExists(const std::string& path);  // a regular file, not a folder
std::optional<std::string> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, std::string_view content);
bool RemoveFile(const std::string& path);

// The file split into lines (CR LF, CR or LF); nullopt when it cannot be read.
std::optional<std::vector<std::string>> LoadLines(const std::string& path);
// Each line followed by CR LF. The file is there whole or not at all: false
// (and no file) when it cannot be written completely.
bool SaveLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace okuzuke
