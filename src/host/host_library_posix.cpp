#include <dlfcn.h>

#include "host/host_library.h"

namespace okuzuke {

namespace {

class ProgramSymbols final : public HostLibrary {
 public:
  explicit ProgramSymbols(void* handle) : handle_(handle) {}
  ~ProgramSymbols() override { dlclose(handle_); }
  void* Symbol(const char* name) override { return dlsym(handle_, name); }

 private:
  void* handle_;
};

}  // namespace

std::unique_ptr<HostLibrary> HostLibrary::Open(const std::string&) {
  // The host exports its services from the running program (linked with
  // -rdynamic), so look them up there rather than in a file.
  void* handle = dlopen(nullptr, RTLD_NOW);
  if (!handle) return nullptr;
  return std::make_unique<ProgramSymbols>(handle);
}

}  // namespace okuzuke
