#include "host/host_services.h"

#include <gtest/gtest.h>

#include "core/download_run.h"
#include "core/lookup_run.h"
#include "core/plugin_info.h"
#include "test_support.h"

namespace okuzuke {
namespace {

using test::Sj;

TEST(HostServices, MessagesAreTheHostsExactTexts) {
  EXPECT_EQ(std::string(kHostMissingSuffix), Sj("がありません。"));
  EXPECT_EQ(std::string(kHostFunctionMissing),
            Sj("関数がありません。Vantor、または、プラグインのバージョンが古い可能性があります。"));
  EXPECT_EQ(std::string(kNoConnection), Sj("インターネットに接続されていません"));
  EXPECT_EQ(std::string(kNoCodesMessage), Sj("検索するISBNを取得できませんでした"));
  EXPECT_EQ(std::string(plugin_info::kTitle), Sj("okuzuke 出版社サイト検索"));
}

TEST(HostServices, AProgramWithoutTheServicesFailsToBindWithOneMessage) {
  // This test program exports none of the 16 services.
  std::vector<std::string> shown;
  auto host = BindHostServices("/nowhere/vantor.exe",
                               [&](const std::string& message) { shown.push_back(message); });
  EXPECT_EQ(host, nullptr);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], std::string(kHostFunctionMissing));
}

}  // namespace
}  // namespace okuzuke
