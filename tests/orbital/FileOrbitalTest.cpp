// Orbitals evaluated from the file's own basis: both spins of an open-shell
// file, and a Molden file of the same job giving the same grid.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "OrbitalTestSupport.h"
#include "orbital/CheckpointReader.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

struct Computed {
    std::unique_ptr<MolecularOrbital> mo = std::make_unique<MolecularOrbital>();
    CheckpointState state;
    ContourStore contours;
    OrbitalOutcome outcome;
};

Computed compute(const std::string& name, Spin spin, int index) {
    Computed c;
    c.outcome = computeFileOrbital(test::dataPath("orbital/" + name), spin, index, *c.mo, c.state,
                                   c.contours);
    return c;
}

double largestDifference(const MolecularOrbital& a, const MolecularOrbital& b) {
    double worst = 0.0;
    for (std::size_t n = 0; n < a.grid.size(); ++n)
        worst = std::max(worst, double(std::abs(a.grid[n] - b.grid[n])));
    return worst;
}

// OH radical: 5 alpha and 4 beta electrons, 30 functions.
TEST(FileOrbital, OpenShellDefaultsAndBetaOrbitals) {
    const Computed alpha = compute("oh_radical_pure.fchk", Spin::Alpha, -1);
    ASSERT_TRUE(alpha.outcome);
    EXPECT_EQ(alpha.state.computedNumber, 5); // the singly occupied one
    EXPECT_EQ(alpha.state.homoNumber, 5);
    EXPECT_EQ(alpha.state.alphaCount, 30);
    EXPECT_EQ(alpha.state.betaCount, 30);
    EXPECT_GT(alpha.contours.loopCount(), 0u);

    const Computed beta = compute("oh_radical_pure.fchk", Spin::Beta, -1);
    ASSERT_TRUE(beta.outcome);
    EXPECT_EQ(beta.state.computedNumber, 4);
    EXPECT_GT(beta.contours.loopCount(), 0u);
    // Spin polarisation: the beta orbital 4 is not the alpha one.
    const Computed alpha4 = compute("oh_radical_pure.fchk", Spin::Alpha, 3);
    EXPECT_GT(largestDifference(*alpha4.mo, *beta.mo), 1e-3);

    const Computed beyond = compute("oh_radical_pure.fchk", Spin::Beta, 30);
    EXPECT_FALSE(beyond.outcome);
    EXPECT_EQ(beyond.outcome.messages, std::vector<std::string>{"適切な番号を指定してください"});
}

TEST(FileOrbital, MoldenFileGivesTheCheckpointGrid) {
    for (const auto& [spin, index] : {std::pair{Spin::Alpha, 4}, std::pair{Spin::Beta, 3},
                                      std::pair{Spin::Alpha, 6}}) {
        SCOPED_TRACE(index);
        const Computed fchk = compute("oh_radical_pure.fchk", spin, index);
        const Computed molden = compute("oh_radical_pure.molden", spin, index);
        ASSERT_TRUE(fchk.outcome);
        ASSERT_TRUE(molden.outcome) << molden.outcome.messages.front();
        for (int a = 0; a < 3; ++a)
            EXPECT_NEAR(fchk.mo->boxMin[a], molden.mo->boxMin[a], 1e-5);
        EXPECT_LT(largestDifference(*fchk.mo, *molden.mo), 1e-6);
        EXPECT_EQ(fchk.contours.loopCount(), molden.contours.loopCount());
    }
}

TEST(FileOrbital, FileWithoutCoefficientsIsToldNotComputed) {
    test::TempDir dir;
    test::writeFileBytes(dir.path("none.fchk"), test::fchkText(test::FchkParts{}));
    MolecularOrbital mo;
    CheckpointState state;
    ContourStore contours;
    const OrbitalOutcome o =
        computeFileOrbital(dir.path("none.fchk"), Spin::Alpha, -1, mo, state, contours);
    EXPECT_FALSE(o);
    EXPECT_EQ(o.messages, std::vector<std::string>{"このファイルには分子軌道の係数がありません"});
}

} // namespace
} // namespace kalviro
