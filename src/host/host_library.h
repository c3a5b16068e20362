// The running host program, opened as a library so that its exported
// functions can be found by name. Win32: LoadLibraryA / GetProcAddress /
// FreeLibrary on the host executable's path. POSIX: the running program
// itself (dlopen(nullptr)); the path only names it in messages.
#pragma once

#include <memory>
#include <string>

namespace okuzuke {

class HostLibrary {
 public:
  virtual ~HostLibrary() = default;
  // The address of an exported function, or nullptr.
  virtual void* Symbol(const char* name) = 0;

  // nullptr when the library cannot be loaded. Released on destruction.
  static std::unique_ptr<HostLibrary> Open(const std::string& path);
};

}  // namespace okuzuke
