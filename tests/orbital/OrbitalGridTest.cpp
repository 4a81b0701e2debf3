// The orbital grid: where its points are, that the two workers fill it like
// one, and the bytes of its cube file.

#include <gtest/gtest.h>

#include <algorithm>

#include "OrbitalTestSupport.h"
#include "orbital/OrbitalGrid.h"

namespace kalviro {
namespace {

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
    std::vector<test::DirectGaussian> direct;
    for (const auto& s : shells) {
        basis.addShell(s.centre, 0, s.l, false, {s.exponent}, {1.0});
        for (int f = s.l == 0 ? 0 : s.l == 1 ? 1 : 4; f < (s.l == 0 ? 1 : s.l == 1 ? 4 : 10); ++f) {
            c.push_back(0.9 - 0.13 * static_cast<double>(c.size()));
            const int* p = powers[f];
            direct.push_back({{s.centre[0], s.centre[1], s.centre[2]}, s.exponent,
                              c.back() * test::cartesianNorm(s.exponent, p[0], p[1], p[2]), p[0],
                              p[1], p[2]});
        }
    }
    const std::vector<OrbitalAtom> atoms = {{8, a}, {6, b}};
    const OrbitalGrid grid = evaluateOrbitalGrid(basis, c, atoms, 23, 2.5);
    double worst = 0.0;
    for (int i = 0; i < grid.points; ++i)
        for (int j = 0; j < grid.points; ++j)
            for (int k = 0; k < grid.points; ++k)
                worst = std::max(worst, std::abs(grid.at(i, j, k) -
                                                 test::directValue(direct,
                                                                   grid.origin[0] + i * grid.step[0],
                                                                   grid.origin[1] + j * grid.step[1],
                                                                   grid.origin[2] + k * grid.step[2])));
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
