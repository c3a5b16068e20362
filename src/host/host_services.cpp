#include "host/host_services.h"

#include <exception>

namespace okuzuke {

namespace {

class BoundHost final : public HostServices {
 public:
  BoundHost(std::unique_ptr<HostLibrary> library, IsbnCheckFn isbnCheck, InternetConnectFn connect,
            HttpDownloadFn download)
      : library_(std::move(library)), isbnCheck_(isbnCheck), connect_(connect), download_(download) {}

  std::string CheckIsbn(const std::string& code) override {
    const char* result = isbnCheck_(code.c_str());
    return result ? std::string(result) : std::string();
  }
  bool CanConnect(const std::string& url) override { return connect_(url.c_str()) != 0; }
  void Download(const std::string& destPath, const std::string& url) override {
    download_(destPath.c_str(), url.c_str());
  }

 private:
  std::unique_ptr<HostLibrary> library_;
  IsbnCheckFn isbnCheck_;
  InternetConnectFn connect_;
  HttpDownloadFn download_;
};

}  // namespace

std::unique_ptr<HostServices> BindHostServices(
    const std::string& hostPath, const std::function<void(const std::string&)>& showError) {
  std::unique_ptr<HostLibrary> library;
  try {
    library = HostLibrary::Open(hostPath);
    if (!library) {
      std::string message = hostPath;
      message += kHostMissingSuffix;
      showError(message);
    }
    std::array<void*, kHostFunctionNames.size()> found{};
    for (std::size_t i = 0; i < kHostFunctionNames.size(); ++i) {
      found[i] = library ? library->Symbol(kHostFunctionNames[i]) : nullptr;
      if (!found[i]) {
        showError(std::string(kHostFunctionMissing));
        return nullptr;
      }
    }
    auto isbnCheck = reinterpret_cast<IsbnCheckFn>(found[7]);
    auto connect = reinterpret_cast<InternetConnectFn>(found[0]);
    auto download = reinterpret_cast<HttpDownloadFn>(found[1]);
    return std::make_unique<BoundHost>(std::move(library), isbnCheck, connect, download);
  } catch (...) {
    // The library (if loaded) is released as `library` goes out of scope.
    return nullptr;
  }
}

}  // namespace okuzuke
