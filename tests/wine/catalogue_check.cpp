// Checks under Wine that the Windows build, reading with XmlLite, makes of
// every catalogue answer the record the Linux build makes with pugixml: the
// same answers and the same expected records as tests/unit/catalogue_test.cpp.
// Exits non-zero on any difference.
#include <algorithm>
#include <cstdio>
#include <string>

#include "../lib/catalogue_cases.h"
#include "catalogue/xml_document.h"

namespace {

// The fixtures' folder as the build knows it; a Unix path is on Wine's drive Z:.
std::string FixturePath(const std::string& name) {
  std::string folder = OKUZUKE_FIXTURES "/catalogue/";
  if (folder.starts_with("/")) folder = "Z:" + folder;
  return folder + name;
}

}  // namespace

int main() {
  using namespace okuzuke;
  int passed = 0;
  int failed = 0;
  std::vector<std::pair<std::string, std::string>> answers = test::MadeCatalogueAnswers();
  for (std::string_view name : test::kCatalogueFiles) {
    if (std::find(std::begin(test::kNotUnderWine), std::end(test::kNotUnderWine), name) != std::end(test::kNotUnderWine)) {
      std::printf("skipped %s (Wine's XmlLite reads it otherwise than Windows')\n", std::string(name).c_str());
      continue;
    }
    const std::optional<std::string> answer = test::ReadBytes(FixturePath(std::string(name) + ".xml"));
    if (!answer) {
      std::printf("MISSING %s.xml\n", std::string(name).c_str());
      ++failed;
      continue;
    }
    answers.emplace_back(name, *answer);
  }
  for (const auto& [name, answer] : answers) {
    const std::string expected = test::ReadBytes(FixturePath(name + ".expected")).value_or("(missing)\n");
    const std::string got = test::CatalogueDumpOf(answer);
    if (got == expected) {
      ++passed;
    } else {
      ++failed;
      std::printf("DIFFERENT %s\n--- expected\n%s--- got\n%s", name.c_str(), expected.c_str(), got.c_str());
    }
  }
  int lenient = 0;
  for (const test::XmlCase& c : test::kXmlCases) {
    if (c.wineAccepts) {
      ++lenient;
      continue;
    }
    catalogue::XmlDocument doc;
    if (doc.Parse(c.xml) == c.wellFormed) {
      ++passed;
    } else {
      ++failed;
      std::printf("DIFFERENT verdict on %s: %s\n", c.wellFormed ? "well-formed" : "ill-formed", std::string(c.xml).c_str());
    }
  }
  std::printf("skipped %d documents Wine's XmlLite accepts and Windows' refuses\n", lenient);
  std::printf("catalogue_check: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
