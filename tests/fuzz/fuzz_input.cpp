#include "fuzz_input.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace okuzuke::fuzz {

namespace {
// Removed with what it holds when the program ends.
struct Scratch {
  std::string path;
  Scratch() {
    path = access("/dev/shm", W_OK) == 0 ? "/dev/shm/okuzuke-fuzz.XXXXXX" : "/tmp/okuzuke-fuzz.XXXXXX";
    if (!mkdtemp(path.data())) throw std::runtime_error("no scratch folder");
    path += "/";
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};
}  // namespace

const std::string& ScratchFolder() {
  static const Scratch scratch;
  return scratch.path;
}

std::string WriteScratch(const std::string& name, std::string_view content) {
  std::string path = ScratchFolder() + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("cannot write " + path);
  std::fwrite(content.data(), 1, content.size(), file);
  std::fclose(file);
  return path;
}

}  // namespace okuzuke::fuzz
