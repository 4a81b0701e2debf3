// The high-precision mode table of a real freq=hpmodes output.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TestSupport.h"
#include "model/readers/GaussianOutputReader.h"

namespace kalviro {
namespace {

TEST(GaussianOutputCorpus, HighPrecisionTableIsTheOrdinaryOneWithMoreDigits) {
    if (!test::corpusAvailable())
        GTEST_SKIP() << "no corpus";
    const auto job = parseOutputFile(test::corpusFile("g09/benzene_HPfreq.log"));
    ASSERT_TRUE(job);
    ASSERT_EQ(job->modes.size(), 30u);
    ASSERT_EQ(job->preciseModes.size(), 30u);
    EXPECT_DOUBLE_EQ(job->preciseModes[0][0].z, -0.04497);   // first row block
    EXPECT_DOUBLE_EQ(job->preciseModes[29][11].y, -0.31749); // last row
    double finest = 0.0; // furthest of a precise value from its two decimals
    for (std::size_t k = 0; k < 30; ++k) {
        ASSERT_EQ(job->preciseModes[k].size(), 12u);
        for (std::size_t a = 0; a < 12; ++a) {
            const Vector3& p = job->preciseModes[k][a];
            const Vector3& o = job->modes[k][a];
            for (auto [precise, ordinary] : {std::pair{p.x, o.x}, {p.y, o.y}, {p.z, o.z}}) {
                EXPECT_NEAR(precise, ordinary, 0.005 + 1e-12) << k << " " << a;
                finest = std::max(finest, std::abs(precise - std::round(precise * 100) / 100));
            }
        }
    }
    EXPECT_GT(finest, 1e-4);
}

} // namespace
} // namespace kalviro
