#include <gtest/gtest.h>

#include <cmath>

#include "OrbitalTestSupport.h"
#include "orbital/MolecularOrbital.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::cartesianNorm;
using test::DirectGaussian;

struct NameCase {
    const char* name;
    BasisFamily family;
    int hydrogen; // functions per atom; -1: no table
    int carbon;
    int sulfur;
};

class BasisNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(BasisNames, FamilyAndFunctionsPerAtom) {
    const NameCase& c = GetParam();
    const std::string upper = upperCaseName(c.name);
    EXPECT_EQ(basisFamilyOf(upper), c.family);
    EXPECT_EQ(builtInFunctionCount(c.family, upper, 1), c.hydrogen);
    EXPECT_EQ(builtInFunctionCount(c.family, upper, 6), c.carbon);
    EXPECT_EQ(builtInFunctionCount(c.family, upper, 16), c.sulfur);
}

INSTANTIATE_TEST_SUITE_P(
    Names, BasisNames,
    ::testing::Values(NameCase{"sto-3g", BasisFamily::Sto3g, 1, 5, 9},
                      NameCase{"6-31G", BasisFamily::SixThirtyOne, 2, 9, 13},
                      NameCase{"6-31G*", BasisFamily::SixThirtyOne, 2, 15, 19},
                      NameCase{"6-31G**", BasisFamily::SixThirtyOne, 5, 15, 19},
                      NameCase{"6-31G(d,p)", BasisFamily::SixThirtyOne, 5, 15, 19},
                      NameCase{"6-31+G*", BasisFamily::SixThirtyOne, 2, 19, 23},
                      NameCase{"6-31++G", BasisFamily::SixThirtyOne, 3, 13, 17},
                      NameCase{"6-311G**", BasisFamily::NoTable, -1, -1, -1},
                      NameCase{"3-21G", BasisFamily::NoTable, -1, -1, -1},
                      NameCase{"LANL2DZ", BasisFamily::Unknown, -1, -1, -1}));

class GridTest : public test::DocumentTest {
  protected:
    MolecularOrbital mo;

    void setAtoms(std::vector<std::int32_t> z, std::vector<std::array<float, 3>> angstrom,
                  std::string basis, std::vector<float> coefficients) {
        mo.atomicNumbers = std::move(z);
        mo.atomPositions = std::move(angstrom);
        mo.nuclearCount = static_cast<std::int32_t>(mo.atomicNumbers.size());
        mo.basisName = std::move(basis);
        mo.coefficients = std::move(coefficients);
    }
};

TEST_F(GridTest, BoxOfAPlanarMoleculeAndGridSpacing) {
    setAtoms({1, 1}, {{0.0f, -0.37f, 0.5f}, {0.0f, 0.37f, 0.5f}}, "STO-3G", {0, 0});
    selectBasisSet(mo);
    EXPECT_NEAR(mo.boxMin[0], -1.82, 1e-6);
    EXPECT_NEAR(mo.boxMax[0], 1.82, 1e-6);
    EXPECT_NEAR(mo.boxMin[1], -2.19, 1e-6);
    EXPECT_NEAR(mo.boxMax[2], 2.32, 1e-6);
    EXPECT_NEAR(mo.gridStep[0], 3.64 / 0.529167 / 50.0, 1e-6);
    EXPECT_NEAR(mo.gridOrigin[0], -1.82 / 0.529167, 1e-5);
    EXPECT_NEAR(mo.atomPositions[1][1], 0.37 / 0.529167, 1e-5); // now in bohr
    EXPECT_EQ(mo.rangeMode, "AUTO");
    for (float v : mo.grid)
        ASSERT_EQ(v, 0.0f); // zero coefficients add nothing
}

TEST_F(GridTest, HydrogenSto3gAtTheNucleus) {
    setAtoms({1}, {{0.0f, 0.0f, 0.0f}}, "sto-3g", {1.0f});
    selectBasisSet(mo);
    EXPECT_EQ(mo.basisName, "STO-3G");
    // sum over the three 1s primitives of 0.71270547 zeta^1.5 alpha^0.75 d.
    const double want = 0.71270547 * std::pow(1.24, 1.5) *
                        (std::pow(2.22766, 0.75) * 0.154329 + std::pow(0.405771, 0.75) * 0.535328 +
                         std::pow(0.109818, 0.75) * 0.444635);
    EXPECT_NEAR(mo.at(25, 25, 25), want, 1e-5 * want);
    // The same from the scaled exponents 3.42525, 0.623914, 0.168855 by hand:
    // sum d (2a/pi)^(3/4) = 0.27694 + 0.26769 + 0.08353.
    EXPECT_NEAR(mo.at(25, 25, 25), 0.62816, 2e-4);
}

// Hydrogen sulfide in 6-31G**: the outer 3s of S, one d of S and the outer s
// and pz of H, each alone, placed by the function order of the file.
TEST_F(GridTest, ThirdRowAtomAndPolarizationFunctionsIn631g) {
    struct Pick {
        int index;
        int atom;
        double exponent;
        int lx, ly, lz;
    };
    const Pick picks[] = {
        {9, 0, 0.117167, 0, 0, 0},   // S 3s' (after 1s, 2s, 2p, 3s, 3p)
        {16, 0, 0.65, 1, 1, 0},      // S dxy (xx, yy, zz, xy)
        {20, 1, 0.1612778, 0, 0, 0}, // H outer s
        {23, 1, 1.1, 0, 0, 1},       // H pz
    };
    for (const Pick& pick : picks) {
        std::vector<float> c(24 + 5, 0.0f);
        c[pick.index] = 1.0f;
        mo = MolecularOrbital{};
        setAtoms({16, 1, 1}, {{0.0f, 0.0f, 0.1f}, {0.0f, 0.96f, -0.8f}, {0.0f, -0.96f, -0.8f}},
                 "6-31G**", c);
        selectBasisSet(mo);
        DirectGaussian g{};
        for (int a = 0; a < 3; ++a)
            g.centre[a] = mo.atomPositions[pick.atom][a];
        g.exponent = pick.exponent;
        g.coefficient = cartesianNorm(pick.exponent, pick.lx, pick.ly, pick.lz);
        g.lx = pick.lx;
        g.ly = pick.ly;
        g.lz = pick.lz;
        SCOPED_TRACE(pick.index);
        const test::GridComparison cmp = test::compareGrid(mo, {g});
        ASSERT_GT(cmp.largest, 0.01);
        EXPECT_LT(cmp.worst, 1e-5 * cmp.largest);
    }
}

TEST_F(GridTest, NamesWithoutTables) {
    setAtoms({1}, {{0, 0, 0}}, "6-311G**", {1.0f});
    EXPECT_EQ(selectBasisSet(mo), "");
    EXPECT_EQ(mo.at(25, 25, 25), 0.0f);

    mo = MolecularOrbital{};
    setAtoms({1}, {{0, 0, 0}}, "LANL2DZ", {1.0f});
    EXPECT_EQ(selectBasisSet(mo), "LANL2DZ\n対応できない基底関数系です");
    EXPECT_EQ(mo.at(25, 25, 25), 0.0f);
}

} // namespace
} // namespace kalviro
