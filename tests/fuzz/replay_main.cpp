// Runs a fuzz target over saved inputs without libFuzzer: every file named on
// the command line, or every file in a folder named there. Used for the
// committed regression corpus in ordinary builds. Fails on any input slower
// than the limit (milliseconds, --limit-ms N, default 100), and prints the
// slowest.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  double limitMs = 100;
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--limit-ms") == 0 && i + 1 < argc) {
      limitMs = std::stod(argv[++i]);
    } else if (std::filesystem::is_directory(argv[i])) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i]))
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    } else {
      inputs.emplace_back(argv[i]);
    }
  }
  double slowestMs = 0;
  std::string slowest;
  int tooSlow = 0;
  for (const auto& path : inputs) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto start = std::chrono::steady_clock::now();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (ms > slowestMs) slowestMs = ms, slowest = path.string();
    if (ms > limitMs) {
      ++tooSlow;
      std::printf("SLOW %.1f ms: %s\n", ms, path.c_str());
    }
  }
  std::printf("%zu inputs, slowest %.2f ms (%s)\n", inputs.size(), slowestMs, slowest.c_str());
  return inputs.empty() || tooSlow > 0 ? 1 : 0;
}
