// Orbitals from the file's own basis: both spins of the open-shell OH
// radical (5 alpha, 4 beta electrons), and its Molden file giving the
// checkpoint file's grid.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "OrbitalTestSupport.h"
#include "orbital/CheckpointReader.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

struct Computed {
    MolecularOrbital mo;
    CheckpointState state;
    ContourStore contours;
    OrbitalOutcome outcome;
};

std::unique_ptr<Computed> compute(const std::string& path, Spin spin, int index) {
    auto c = std::make_unique<Computed>();
    c->outcome = computeFileOrbital(path, spin, index, c->mo, c->state, c->contours);
    return c;
}

double largestDifference(const MolecularOrbital& a, const MolecularOrbital& b) {
    double worst = 0.0;
    for (std::size_t n = 0; n < a.grid.size(); ++n)
        worst = std::max(worst, double(std::abs(a.grid[n] - b.grid[n])));
    return worst;
}

TEST(FileOrbital, SpinsDefaultsAndTheMoldenTwin) {
    const std::string fchk = test::dataPath("orbital/oh_radical_pure.fchk");
    const std::string molden = test::dataPath("orbital/oh_radical_pure.molden");
    const auto alpha = compute(fchk, Spin::Alpha, -1), beta = compute(fchk, Spin::Beta, -1);
    ASSERT_TRUE(alpha->outcome && beta->outcome);
    EXPECT_EQ(alpha->state.computedNumber, 5); // the singly occupied orbital
    EXPECT_EQ(beta->state.computedNumber, 4);
    EXPECT_EQ(alpha->state.betaCount, 30);
    EXPECT_GT(beta->contours.loopCount(), 0u);
    // Spin polarisation: beta orbital 4 is not alpha orbital 4.
    EXPECT_GT(largestDifference(compute(fchk, Spin::Alpha, 3)->mo, beta->mo), 1e-3);
    EXPECT_EQ(compute(fchk, Spin::Beta, 30)->outcome.messages,
              std::vector<std::string>{"適切な番号を指定してください"});

    for (const auto& [spin, index] : {std::pair{Spin::Alpha, 4}, std::pair{Spin::Beta, 3}}) {
        const auto a = compute(fchk, spin, index), b = compute(molden, spin, index);
        ASSERT_TRUE(b->outcome);
        EXPECT_LT(largestDifference(a->mo, b->mo), 1e-6);
    }
}

TEST(FileOrbital, FileWithoutCoefficientsIsToldNotComputed) {
    test::TempDir dir;
    test::writeFileBytes(dir.path("none.fchk"), test::fchkText(test::FchkParts{}));
    const auto c = compute(dir.path("none.fchk"), Spin::Alpha, -1);
    EXPECT_FALSE(c->outcome);
    EXPECT_EQ(c->outcome.messages, std::vector<std::string>{"このファイルには分子軌道の係数がありません"});
}

} // namespace
} // namespace kalviro
