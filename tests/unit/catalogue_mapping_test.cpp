// The record made of the shapes of value the catalogue really writes, and of
// real answers of the catalogue.
#include <gtest/gtest.h>

#include "../lib/catalogue_cases.h"
#include "test_support.h"

namespace okuzuke::catalogue {
namespace {

TEST(RecordFromAnswer, ReadsEveryShapeTheCatalogueWrites) {
  for (const test::CatalogueShape& shape : test::kCatalogueShapes)
    EXPECT_EQ(test::ShapeField(shape), shape.expected) << shape.body << " " << shape.field;
}

TEST(RecordFromAnswer, GivesTheExpectedRecordForRealAnswers) {
  for (std::string_view name : test::kRealCatalogueAnswers) {
    const std::string path = "catalogue/real/" + std::string(name);
    const std::string dump = test::CatalogueDumpOf(test::Fixture(path + ".xml"), name.substr(name.find('-') + 1));
    EXPECT_EQ(dump, test::Fixture(path + ".expected")) << name;
  }
}

}  // namespace
}  // namespace okuzuke::catalogue
