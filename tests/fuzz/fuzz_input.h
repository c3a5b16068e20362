// Carving one fuzz input into the parts a target needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace okuzuke::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  // One byte (0 when the input is used up).
  unsigned char Byte() {
    if (rest_.empty()) return 0;
    unsigned char b = static_cast<unsigned char>(rest_[0]);
    rest_.remove_prefix(1);
    return b;
  }
  // The text up to the next `separator` (which is dropped), or all the rest.
  std::string_view Part(char separator = '\0') {
    std::size_t at = rest_.find(separator);
    std::string_view part = rest_.substr(0, at);
    rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + 1);
    return part;
  }
  std::string_view Rest() {
    std::string_view all = rest_;
    rest_ = {};
    return all;
  }
  bool Empty() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

// A folder of this process's own for the files a routine reads (ends with
// "/"); created once, in memory where the system offers it.
const std::string& ScratchFolder();

// Writes `content` to ScratchFolder() + name and returns the path.
std::string WriteScratch(const std::string& name, std::string_view content);

}  // namespace okuzuke::fuzz
