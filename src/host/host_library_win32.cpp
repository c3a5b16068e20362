#include <windows.h>

#include "host/host_library.h"

namespace okuzuke {

namespace {

class LoadedModule final : public HostLibrary {
 public:
  explicit LoadedModule(HMODULE module) : module_(module) {}
  ~LoadedModule() override { FreeLibrary(module_); }
  void* Symbol(const char* name) override {
    return reinterpret_cast<void*>(GetProcAddress(module_, name));
  }

 private:
  HMODULE module_;
};

}  // namespace

std::unique_ptr<HostLibrary> HostLibrary::Open(const std::string& path) {
  // Loading the running executable's own path returns its module (with one
  // more reference, given back by FreeLibrary).
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) return nullptr;
  return std::make_unique<LoadedModule>(module);
}

}  // namespace okuzuke
