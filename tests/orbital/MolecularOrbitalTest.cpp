#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>

#include "OrbitalTestSupport.h"
#include "orbital/MolecularOrbital.h"
#include "support/TestSupport.h"
#include "orbital/OrbitalGrid.h"

namespace kalviro {
namespace {

using test::cartesianNorm;

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
        const auto& at = mo.atomPositions[pick.atom];
        const test::Primitive g{pick.exponent, {at[0], at[1], at[2]}, {pick.lx, pick.ly, pick.lz},
                                cartesianNorm(pick.exponent, pick.lx, pick.ly, pick.lz)};
        SCOPED_TRACE(pick.index);
        const test::GridComparison cmp = test::compareGrid(mo, {g});
        ASSERT_GT(cmp.largest, 0.01);
        EXPECT_LT(cmp.worst, 1e-5 * cmp.largest);
    }
}

// Carbon's inner valence s of 6-31G: three primitives of the published
// table (exponents and coefficients written here), centred on the nucleus.
TEST_F(GridTest, CarbonInnerValenceSIn631gHasItsThreePrimitives) {
    std::vector<float> c(9, 0.0f);
    c[1] = 1.0f; // 1s, then the inner 2s
    setAtoms({6}, {{0.0f, 0.0f, 0.0f}}, "6-31G", c);
    selectBasisSet(mo);
    std::vector<test::Primitive> s;
    for (auto [a, d] : {std::pair{7.8682724, -0.1193324}, {1.8812885, -0.1608542}, {0.5442493, 1.1434564}})
        s.push_back({a, {0, 0, 0}, {0, 0, 0}, d * cartesianNorm(a, 0, 0, 0)});
    const test::GridComparison cmp = test::compareGrid(mo, s);
    ASSERT_GT(cmp.largest, 0.01);
    EXPECT_LT(cmp.worst, 1e-5 * cmp.largest);
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

// The orbital grid: where its points are, that the two workers fill it like
// one, and the bytes of its cube file.
TEST(OrbitalGridTest, PointsSpanAtomsWithMarginAndHoldTheOrbital) {
    ShellBasis basis;
    basis.addShell({0, 0, 0}, 0, 1, false, {0.8}, {1.0});
    basis.addShell({1, 2, -1}, 1, 2, true, {0.5, 1.5}, {0.6, 0.4});
    const std::vector<double> c = {0.3, -0.2, 0.5, 0.1, 0.7, -0.4, 0.2, 0.9};
    const std::vector<OrbitalAtom> atoms = {{6, {0, 0, 0}}, {8, {1, 2, -1}}};
    const OrbitalGrid grid = evaluateOrbitalGrid(basis, c, atoms, 11, 3.0, 2);
    ASSERT_EQ(grid.points, 11);
    ASSERT_EQ(grid.values.size(), 1331u);
    const Point3 origin{-3, -3, -4}, step{0.7, 0.8, 0.7};
    for (int k = 0; k < 3; ++k) {
        EXPECT_DOUBLE_EQ(grid.origin[k], origin[k]);
        EXPECT_NEAR(grid.step[k], step[k], 1e-12);
    }
    for (const auto& [i, j, k] : {std::array{0, 0, 0}, std::array{4, 6, 5}, std::array{10, 3, 7}})
        EXPECT_NEAR(grid.at(i, j, k),
                    basis.evaluateOrbital(c, {-3 + 0.7 * i, -3 + 0.8 * j, -4 + 0.7 * k}), 1e-12);
    EXPECT_EQ(evaluateOrbitalGrid(basis, c, atoms, 11, 3.0, 1).values, grid.values);
    EXPECT_EQ(evaluateOrbitalGrid(basis, c, atoms, 1, 3.0).points, 2);
    EXPECT_EQ(evaluateOrbitalGrid(basis, {}, atoms, 1000, 3.0).points, 200);
}

// Tight shells are skipped away from their atom (|c| exp(-a r^2) < 1e-10);
// the grid still equals the plain sum over every primitive.
TEST(OrbitalGridTest, ScreenedGridEqualsTheUnscreenedSum) {
    const Point3 a{0, 0, 0}, b{1.2, -0.7, 2.0};
    const struct {
        Point3 centre;
        int l;
        double exponent;
    } shells[] = {{a, 0, 4000.0}, {a, 0, 0.3}, {a, 1, 40.0}, {b, 1, 0.2}, {b, 2, 25.0}, {b, 2, 0.6}};
    const int powers[10][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {2, 0, 0},
                               {0, 2, 0}, {0, 0, 2}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}};
    ShellBasis basis;
    std::vector<double> c;
    test::ReferenceFunction direct;
    for (const auto& s : shells) {
        basis.addShell(s.centre, 0, s.l, false, {s.exponent}, {1.0});
        for (int f = s.l == 0 ? 0 : s.l == 1 ? 1 : 4; f < (s.l == 0 ? 1 : s.l == 1 ? 4 : 10); ++f) {
            c.push_back(0.9 - 0.13 * static_cast<double>(c.size()));
            const int* p = powers[f];
            direct.push_back({s.exponent, {s.centre[0], s.centre[1], s.centre[2]}, {p[0], p[1], p[2]},
                              c.back() * test::cartesianNorm(s.exponent, p[0], p[1], p[2])});
        }
    }
    const std::vector<OrbitalAtom> atoms = {{8, a}, {6, b}};
    const OrbitalGrid grid = evaluateOrbitalGrid(basis, c, atoms, 23, 2.5);
    double worst = 0.0;
    for (int i = 0; i < grid.points; ++i)
        for (int j = 0; j < grid.points; ++j)
            for (int k = 0; k < grid.points; ++k)
                worst = std::max(worst, std::abs(grid.at(i, j, k) -
                                                 test::value(direct, {grid.origin[0] + i * grid.step[0],
                                                                      grid.origin[1] + j * grid.step[1],
                                                                      grid.origin[2] + k * grid.step[2]})));
    EXPECT_LT(worst, 1e-9);
}

TEST(OrbitalGridTest, CubeFileOfOneHydrogenS) {
    // (2/pi)^3/4 e^-3 at every corner of a 2 x 2 x 2 grid around the atom.
    ShellBasis basis;
    basis.addShell({0, 0, 0}, 0, 0, false, {1.0}, {1.0});
    const std::vector<OrbitalAtom> atoms = {{1, {0, 0, 0}}};
    const OrbitalGrid grid = evaluateOrbitalGrid(basis, {-1.0}, atoms, 2, 1.0);
    EXPECT_EQ(cubeFileBytes(grid, atoms, 1, "H atom", "MO 1 alpha"),
              "H atom\n"
              "MO 1 alpha\n"
              "   -1   -1.000000   -1.000000   -1.000000\n"
              "    2    2.000000    0.000000    0.000000\n"
              "    2    0.000000    2.000000    0.000000\n"
              "    2    0.000000    0.000000    2.000000\n"
              "    1    1.000000    0.000000    0.000000    0.000000\n"
              "    1    1\n"
              " -3.54835E-02 -3.54835E-02\n"
              " -3.54835E-02 -3.54835E-02\n"
              " -3.54835E-02 -3.54835E-02\n"
              " -3.54835E-02 -3.54835E-02\n");
}

TEST(OrbitalGridTest, CubeRowsBreakAfterSixValues) {
    ShellBasis basis;
    basis.addShell({0, 0, 0}, 0, 0, false, {1.0}, {1.0});
    const std::vector<OrbitalAtom> atoms = {{1, {0, 0, 0}}};
    const OrbitalGrid grid = evaluateOrbitalGrid(basis, {1.0}, atoms, 8, 2.0);
    const std::string cube = cubeFileBytes(grid, atoms, 1, "t", "c");
    // 8 header lines, then 64 rows of 8 values as lines of 6 and 2.
    EXPECT_EQ(std::count(cube.begin(), cube.end(), '\n'), 8 + 64 * 2);
    const std::size_t firstRow = cube.find("    1    1\n") + 11;
    EXPECT_EQ(cube.find('\n', firstRow) - firstRow, 6u * 13u);
}

} // namespace
} // namespace kalviro
