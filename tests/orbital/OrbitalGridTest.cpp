// The orbital grid: where its points are, that the two workers fill it like
// one, and the bytes of its cube file.

#include <gtest/gtest.h>

#include <algorithm>

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
