#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "TestSupport.h"

using namespace kalviro;

TEST(DumpCommand, SummaryPrintsOnlyTheCounts) {
    auto r = test::runCli({"dump", "--summary", test::dataPath("gaussian-output/g16_freq_only.log")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "atoms 3 modes 3 dipoleDerivatives 2\n");
}

TEST(DumpCommand, TextsThatAreNotUtf8StillGiveValidJson) {
    test::TempDir dir;
    const std::string file = test::readFileBytes(test::dataPath("gaussian-output/g16_freq_only.log"));
    const std::string geometry = file.substr(0, file.find("Standard orientation"));
    test::writeFileBytes(dir.path("latin.log"), geometry + " A\xe9 B1 \x82\xa0\n"
                                                 " Frequencies --  100.0  200.0  300.0\n");
    auto r = test::runCli({"dump", dir.path("latin.log")});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["symmetries"][0], "A\xef\xbf\xbd");
    EXPECT_EQ(j["symmetries"][1], "B1");
}
