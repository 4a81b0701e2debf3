#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/TestSupport.h"

namespace kalviro {
namespace {

// `jcamp` writes the points the reader decoded, in the file's order and
// unit, as an independent JCAMP-DX reader decoded them.
TEST(JcampCommand, WritesThePointsOfTheFile) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    test::TempDir dir;
    const auto file = test::corpusDir() / "files/jcamp/carbon_monoxide.jdx";
    const auto r = test::runCli({"jcamp", file.string(), "-o", dir.path("co.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json expected = nlohmann::json::parse(
        std::ifstream(test::corpusDir() / "expected/jcamp/carbon_monoxide.jdx.json"))[0];
    std::istringstream csv(test::readFileBytes(dir.path("co.csv")));
    std::size_t n = 0;
    double largest = 0;
    for (double y : expected["y"])
        largest = std::max(largest, std::abs(y));
    for (std::string line; std::getline(csv, line); ++n) {
        ASSERT_EQ(line.back(), '\r');
        double x = 0, y = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf", &x, &y), 2) << line;
        ASSERT_LT(n, expected["x"].size());
        EXPECT_NEAR(x, expected["x"][n].get<double>(), 1e-6 * std::abs(x)) << n;
        EXPECT_NEAR(y, expected["y"][n].get<double>(), 1e-6 * largest) << n;
    }
    EXPECT_EQ(n, expected["x"].size());

    const auto missing = test::runCli({"jcamp", dir.path("none.jdx"), "-o", dir.path("x.csv")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.jdx"), std::string::npos) << missing.err;
}

} // namespace
} // namespace kalviro
