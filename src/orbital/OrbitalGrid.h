#pragma once
// One orbital's values on a cubic grid of points around the molecule, and
// the Gaussian cube file of them.

#include <string>
#include <string_view>
#include <vector>

#include "orbital/OrbitalSet.h"

namespace kalviro {

// The contour grid's size and its box, 1.4 * 1.3 angstrom beyond the atoms:
// the cube export's defaults.
constexpr int kDefaultGridPoints = 51;
constexpr double kDefaultGridMargin = 1.82 / 0.529167;

struct OrbitalGrid {
    Point3 origin{};            // bohr, the first point
    Point3 step{};              // bohr between neighbouring points along x, y and z
    int points = 0;             // along each axis
    std::vector<double> values; // x index slowest, z fastest

    double at(int i, int j, int k) const {
        return values[(static_cast<std::size_t>(i) * points + j) * points + k];
    }
};

// The orbital with these coefficients on points x points x points (2 to
// 200) spanning the atoms with margin bohr on every side, computed by
// threads workers (at least 1).
OrbitalGrid evaluateOrbitalGrid(const ShellBasis& basis, const std::vector<double>& coefficients,
                                const std::vector<OrbitalAtom>& atoms, int points, double margin,
                                unsigned threads = 2);

// The bytes of a Gaussian cube file of grid: two comment lines (title,
// then comment), a negative atom count marking one orbital, the axes, the
// atoms, the orbital number, then six values a line, each z row on new
// lines.
std::string cubeFileBytes(const OrbitalGrid& grid, const std::vector<OrbitalAtom>& atoms,
                          int orbitalNumber, std::string_view title, std::string_view comment);

} // namespace kalviro
