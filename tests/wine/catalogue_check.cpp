// Checks under Wine that the Windows build, reading with XmlLite, makes of
// every catalogue answer the record the Linux build makes with pugixml: the
// same answers, shapes of value and expected records as the unit tests.
// Exits non-zero on any difference.
#include <cstdio>
#include <string>
#include <tuple>

#include "../lib/catalogue_cases.h"
#include "catalogue/xml_document.h"

namespace {

// The fixtures' folder as the build knows it; a Unix path is on Wine's drive Z:.
std::string FixturePath(const std::string& name) {
  std::string folder = OKUZUKE_FIXTURES "/catalogue/";
  if (folder.starts_with("/")) folder = "Z:" + folder;
  return folder + name;
}

int passed = 0;
int failed = 0;

void Check(bool same, const std::string& what, const std::string& expected, const std::string& got) {
  if (same) {
    ++passed;
    return;
  }
  ++failed;
  std::printf("DIFFERENT %s\n--- expected\n%s\n--- got\n%s\n", what.c_str(), expected.c_str(), got.c_str());
}

}  // namespace

int main() {
  using namespace okuzuke;
  // NAME, answer, ISBN asked for.
  std::vector<std::tuple<std::string, std::string, std::string>> answers;
  for (auto& [name, answer] : test::MadeCatalogueAnswers())
    answers.emplace_back(name, std::move(answer), std::string(test::kCatalogueIsbn));
  for (std::string_view name : test::kCatalogueFiles)
    answers.emplace_back(name, test::ReadBytes(FixturePath(std::string(name) + ".xml")).value_or(""),
                         std::string(test::kCatalogueIsbn));
  for (std::string_view name : test::kRealCatalogueAnswers) {
    const std::string path = "real/" + std::string(name);
    answers.emplace_back(path, test::ReadBytes(FixturePath(path + ".xml")).value_or(""),
                         std::string(name.substr(name.find('-') + 1)));
  }
  for (const auto& [name, answer, isbn] : answers) {
    const std::string expected = test::ReadBytes(FixturePath(name + ".expected")).value_or("(missing)\n");
    const std::string got = test::CatalogueDumpOf(answer, isbn);
    Check(got == expected, name, expected, got);
  }
  for (const test::CatalogueShape& shape : test::kCatalogueShapes) {
    const std::string got = test::ShapeField(shape);
    Check(got == shape.expected, std::string(shape.field) + " of " + std::string(shape.body), std::string(shape.expected), got);
  }
  int lenient = 0;
  for (const test::XmlCase& c : test::kXmlCases) {
    catalogue::XmlDocument doc;
    const bool read = doc.Parse(c.xml);  // whatever the verdict, it must return
    if (c.verdict == test::XmlVerdict::kEither) continue;
    if (c.wineAccepts) {
      ++lenient;
      continue;
    }
    const bool reads = c.verdict == test::XmlVerdict::kReads;
    Check(read == reads, "verdict on " + std::string(c.xml), reads ? "read" : "refused", read ? "read" : "refused");
  }
  std::printf("skipped %d documents Wine's XmlLite reads and Windows' refuses\n", lenient);
  std::printf("catalogue_check: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
