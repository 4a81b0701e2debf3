// Orbitals from the file's own basis: both spins of the open-shell OH
// radical (5 alpha, 4 beta electrons), and its Molden file giving the
// checkpoint file's grid.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>

#include "OrbitalTestSupport.h"
#include "orbital/CheckpointReader.h"
#include "support/TestSupport.h"
#include "model/readers/CheckpointSections.h"
#include "orbital/MoldenReader.h"

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

// Water's HOMO (RHF/cc-pVTZ, pure and Cartesian functions) from psi4's
// checkpoint and Molden files against psi4's own cube of the same
// wavefunction (tests/data/orbital/water_cubeprop.in wrote all three).
struct Cube {
    Point3 origin{};
    int n[3]{};
    double step[3]{}; // bohr, along x, y and z
    std::vector<double> values; // x slowest, z fastest
};

Cube readCube(const std::string& path) {
    std::istringstream in(test::readFileBytes(path));
    std::string line;
    std::getline(in, line); // two comment lines
    std::getline(in, line);
    Cube c;
    int atoms = 0;
    in >> atoms >> c.origin[0] >> c.origin[1] >> c.origin[2];
    for (int k = 0; k < 3; ++k) {
        double v[3];
        in >> c.n[k] >> v[0] >> v[1] >> v[2];
        c.step[k] = v[k];
    }
    double skipped;
    for (int k = 0; k < 5 * atoms; ++k) // atomic number, charge, x, y, z
        in >> skipped;
    for (double v; in >> v;)
        c.values.push_back(v);
    return c;
}

OrbitalSet orbitalsOf(const std::string& path) {
    if (isMoldenPath(path)) {
        auto m = readMolden(path);
        EXPECT_TRUE(m) << path;
        return m ? m->orbitals : OrbitalSet{};
    }
    auto file = readCheckpointSections(path);
    EXPECT_TRUE(file) << path;
    auto set = orbitalsFromCheckpoint(*file);
    EXPECT_TRUE(set) << path;
    return set ? *set : OrbitalSet{};
}

// Largest difference between the HOMO of path and the cube's values.
double largestDeviation(const std::string& path, const Cube& cube) {
    const OrbitalSet set = orbitalsOf(path);
    const Orbital& homo = set.orbitals.at(static_cast<std::size_t>(set.defaultOrbital()));
    EXPECT_EQ(homo.number, 5) << path;
    const OrbitalEvaluator psi(set.basis, homo.coefficients);
    double worst = 0;
    std::size_t at = 0;
    for (int i = 0; i < cube.n[0]; ++i)
        for (int j = 0; j < cube.n[1]; ++j)
            for (int k = 0; k < cube.n[2]; ++k) {
                const Point3 p{cube.origin[0] + i * cube.step[0], cube.origin[1] + j * cube.step[1],
                               cube.origin[2] + k * cube.step[2]};
                worst = std::max(worst, std::abs(psi(p) - cube.values.at(at++)));
            }
    return worst;
}

TEST(PsiCube, CheckpointAndMoldenFilesGivePsi4sOwnCube) {
    for (const std::string kind : {"pure", "cartesian"}) {
        const Cube cube = readCube(test::dataPath("orbital/water_" + kind + "_homo.cube"));
        ASSERT_EQ(cube.values.size(), std::size_t(cube.n[0]) * cube.n[1] * cube.n[2]) << kind;
        double largest = 0;
        for (double v : cube.values)
            largest = std::max(largest, std::abs(v));
        // The cube prints six significant digits; measured 9.5e-7 at most.
        for (const std::string ext : {".fchk", ".molden"})
            EXPECT_LT(largestDeviation(test::dataPath("orbital/water_" + kind + ext), cube), 2e-5 * largest)
                << kind << ext;
    }
}

} // namespace
} // namespace kalviro
