// The whole lookup run through the exported entry point, with a host whose
// code list, served pages and author dictionary all come from the input:
//   code list \0 AuthDB.dat \0 page \0 page \0 ...
// Each download takes the next page; a page that is exactly "-" is a site
// that cannot be reached. The result file must hold whole, 68-column lines.
#include <deque>

#include "common/page_source.h"
#include "core/exports.h"
#include "fuzz_input.h"
#include "text/file_io.h"
#include "text/record.h"
#include "text/sjis.h"

using namespace okuzuke;

namespace {

class FuzzedPages final : public hosts::PageSource {
 public:
  explicit FuzzedPages(std::deque<std::string_view> pages) : pages_(std::move(pages)) {}
  bool CanConnect(const std::string&) override { return pages_.empty() || pages_.front() != "-"; }
  bool Download(const std::string& destPath, const std::string&) override {
    if (pages_.empty()) return false;
    std::string_view page = pages_.front();
    pages_.pop_front();
    return WriteWholeFile(destPath, page);
  }

 private:
  std::deque<std::string_view> pages_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const std::string codes(input.Part());
  fuzz::WriteScratch("AuthDB.dat", input.Part());
  std::deque<std::string_view> pages;
  while (!input.Empty() && pages.size() < 64) pages.push_back(input.Part());
  FuzzedPages source(std::move(pages));
  hosts::UsePageSource(&source);

  const std::string result = fuzz::ScratchFolder() + "result.txt";
  DownlaodFunc(fuzz::ScratchFolder().c_str(), result.c_str(), codes.c_str());
  hosts::UsePageSource(nullptr);

  if (std::optional<std::string> written = ReadWholeFile(result)) {
    if (!written->empty() && !EndsWith(*written, "\r\n")) __builtin_trap();
    for (const std::string& line : SplitLines(*written))
      if (SplitCommaText(line).size() != 68) __builtin_trap();
  }
  return 0;
}
