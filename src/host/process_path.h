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
std::string HostExecutableFolder();

}  // namespace okuzuke
