#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "TestSupport.h"

using namespace kalviro;

TEST(DumpCommand, PrintsTheStoresAsOneJsonObject) {
    auto r = test::runCli({"dump", test::dataPath("gaussian-output/g98_opt_freq.log")});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["atoms"].size(), 4u);
    EXPECT_EQ(j["atoms"][1]["symbol"], "O");
    EXPECT_EQ(j["atoms"][1]["atomicNumber"], 8);
    EXPECT_EQ(j["atoms"][1]["z"].get<double>(), 0.6839); // read back to the same double
    EXPECT_EQ(j["frequencies"][5], "");
    EXPECT_EQ(j["modes"].size(), 6u);
    EXPECT_EQ(j["modes"][0][0], nlohmann::json::parse("[0.17, 0.0, 0.0]"));
    EXPECT_EQ(j["dipoleDerivatives"][1][2].get<double>(), -1.5e-7);
    EXPECT_EQ(j["modesLoaded"], true);
    EXPECT_EQ(j["dipolesLoaded"], true);
}

TEST(DumpCommand, SummaryPrintsOnlyTheCounts) {
    auto r = test::runCli({"dump", "--summary", test::dataPath("gaussian-output/g16_freq_only.log")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "atoms 3 modes 3 dipoleDerivatives 2\n");
}

TEST(DumpCommand, AnUnreadableFileFailsWithTheMessage) {
    auto r = test::runCli({"dump", test::dataPath("gaussian-output/no-such-file.log")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("ファイルが開けません"), std::string::npos) << r.err;
}

TEST(DumpCommand, UsageErrorsAreNotSilent) {
    auto r = test::runCli({"dump"});
    EXPECT_NE(r.status, 0);
    EXPECT_FALSE(r.err.empty());
}
