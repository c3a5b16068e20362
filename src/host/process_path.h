// Where the host program lives: its folder holds the settings file and, on
// Windows, the executable whose exports the plug-in binds.
#pragma once

#include <string>

namespace okuzuke {

// The path separator files are joined with on this platform.
#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The folder of the running executable, without a closing separator.
std::string ExecutableFolder();

// The folder the plug-in takes as the host's: the running executable's. On
// POSIX systems the environment variable kHostFolderVariable, when set,
// names it instead: our hosts there are not where their settings are.
std::string HostExecutableFolder();
inline constexpr const char* kHostFolderVariable = "OKUZUKE_HOST_FOLDER";

}  // namespace okuzuke
