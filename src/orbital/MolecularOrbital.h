#pragma once
// The orbital calculator: the inputs taken from a checkpoint file, the box
// around the atoms and the 51 x 51 x 51 grid of orbital values evaluated from
// the built-in basis sets.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalviro {

constexpr int kGridSize = 51;
constexpr int kGridValues = kGridSize * kGridSize * kGridSize;
constexpr double kBohrInAngstrom = 0.529167;
constexpr double kAngstromInBohr = 1.889762589125928; // 1 / 0.529167

struct MolecularOrbital {
    std::vector<float> grid = std::vector<float>(kGridValues, 0.0f); // [z][y][x], x fastest
    std::vector<float> coefficients;                 // of the orbital, in the file's function order
    std::vector<std::array<float, 3>> atomPositions; // angstrom as read, bohr after selectBasisSet
    std::vector<std::int32_t> atomicNumbers;
    std::array<float, 3> gridOrigin{}; // bohr
    std::array<float, 3> gridStep{};   // bohr
    std::int32_t orbitalBlock = 1;
    std::int32_t nuclearCount = 0;
    std::string basisName;
    std::string rangeMode;
    float margin = 1.4f;
    std::int32_t electronCount = 0;
    std::array<float, 3> boxMax{}; // angstrom
    std::array<float, 3> boxMin{}; // angstrom
    float isoValue = 0.05f;

    float& at(int x, int y, int z) { return grid[(z * kGridSize + y) * kGridSize + x]; }
    float at(int x, int y, int z) const { return grid[(z * kGridSize + y) * kGridSize + x]; }
};

// How a basis-set name is read: the first matching test decides, so "6-311"
// must be looked at before "6-31".
enum class BasisFamily { Sto3g, NoTable, SixThirtyOne, Unknown };
BasisFamily basisFamilyOf(std::string_view upperName);

// Copy with every character passed through toupper.
std::string upperCaseName(std::string_view text);

// Number of basis functions the built-in set gives an atom of atomic number
// z under the (upper-case) name; -1 when no built-in table covers it.
int builtInFunctionCount(BasisFamily family, std::string_view upperName, int z);

// The box around the atoms (margin 1.82 angstrom) and the grid spanning it;
// converts the positions to bohr and zeroes the grid.
void placeGrid(MolecularOrbital& mo);

// Box, grid and evaluation: converts the positions to bohr, upper-cases the
// name and fills the grid (zeros when no table applies). Returns the message
// for the user for an unknown name, else "". Throws ProgramError for STO-3G
// beyond Ar.
std::string selectBasisSet(MolecularOrbital& mo);
void evaluateSto3g(MolecularOrbital& mo);
void evaluate631g(MolecularOrbital& mo);

// One primitive's contribution, prefactor * x^lx y^ly z^lz exp(-a r^2)
// relative to the centre (bohr), added to the whole grid through three
// tables of 51 values.
void addPrimitive(MolecularOrbital& mo, const std::array<float, 3>& centre, float exponent,
                  float prefactor, int lx, int ly, int lz);

} // namespace kalviro
