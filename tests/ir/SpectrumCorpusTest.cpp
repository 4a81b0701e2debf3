// Real outputs that carry dipole derivatives: the spectrum written by
// kalviro-cli against the Lorentzian sum worked out from the expected dump.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>

#include "support/TestSupport.h"

namespace kalviro {
namespace {

namespace fs = std::filesystem;

TEST(SpectrumCorpus, RealOutputsGiveTheBroadenedSticks) {
    if (!test::corpusAvailable())
        GTEST_SKIP() << "corpus not present";
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(test::corpusDir() / "expected")) {
        if (entry.path().extension() != ".json")
            continue;
        std::ifstream in(entry.path());
        const auto j = nlohmann::json::parse(in, nullptr, false);
        if (j.is_discarded() || !j.value("dipolesLoaded", false))
            continue;
        const fs::path rel = fs::relative(entry.path(), test::corpusDir() / "expected");
        const std::string input = (test::corpusDir() / "files" / rel).replace_extension();
        SCOPED_TRACE(input);
        ++files;
        test::TempDir dir;
        const auto r = test::runCli({"spectrum", input, "-o", dir.path("IRSpec.csv")});
        ASSERT_EQ(r.status, 0) << r.err;
        std::istringstream csv(test::readFileBytes(dir.path("IRSpec.csv")));
        std::string line;
        for (int p = 0; p < 900; ++p) {
            ASSERT_TRUE(std::getline(csv, line));
            double expected = 0;
            for (std::size_t k = 0; k < j["dipoleDerivatives"].size(); ++k) {
                const auto& d = j["dipoleDerivatives"][k];
                const std::string nu = j["frequencies"][k];
                const double dist = 600 + p - (nu.empty() ? 0.0 : std::stod(nu));
                expected += std::hypot(d[0].get<double>(), d[1].get<double>(), d[2].get<double>()) /
                            (dist * dist + 1);
            }
            const std::size_t comma = line.find(',');
            EXPECT_EQ(line.substr(0, comma), std::to_string(600 + p));
            EXPECT_NEAR(std::stod(line.substr(comma + 1)), expected, 1e-5 * expected) << line;
            EXPECT_TRUE(line.ends_with(",\r"));
        }
        EXPECT_FALSE(std::getline(csv, line));
    }
    EXPECT_GE(files, 1);
}

} // namespace
} // namespace kalviro
