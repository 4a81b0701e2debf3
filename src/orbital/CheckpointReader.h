#pragma once
// Reads what the orbital picture needs from a Gaussian formatted checkpoint
// file: the electron and basis-function counts, the basis-set name, the atoms
// and the coefficients of one alpha orbital. Then computes that orbital.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/FrameAlignment.h"
#include "orbital/OrbitalGrid.h"
#include "orbital/OrbitalSet.h"

namespace kalviro {

class TextLineReader;
struct ContourStore;
struct MolecularOrbital;

// What the last checkpoint file read left for the next calculation.
struct CheckpointState {
    std::string checkpointPath;    // re-read by "MOを計算"
    std::string electronCountText; // value of "Number of electrons"
    std::string basisCountText;    // value of "Number of basis functions"
    std::int32_t homoNumber = 0;   // highest occupied alpha orbital, 1-based
    std::int32_t alphaCount = 0;   // orbitals to choose from, per spin
    std::int32_t betaCount = 0;    // 0 for a closed shell
    std::int32_t computedNumber = 0; // the orbital last computed, 1-based within its spin
    // The file's frame onto the molecule shown, when its atoms are that molecule's turned.
    std::optional<FrameAlignment> placement;
};

struct CheckpointContents {
    std::string electronCountText; // as found, or as given when the file has none
    std::string basisCountText;
    std::string basisName;  // last token of line 2
    int pureCartesianD = 0; // "Pure/Cartesian d shells"; 0 when absent
    std::vector<std::int32_t> atomicNumbers;
    std::vector<double> coordinates; // bohr as in the file: x, y, z per atom
    int orbitalIndex = -1;           // zero-based orbital that was read
    std::vector<float> coefficients; // basis-function count values, 0 where not read
};

// orbitalIndex: zero-based orbital wanted, -1 for the highest occupied one.
// The count texts start as given (the previous file's) and are replaced by
// the file's own labelled lines.
CheckpointContents parseCheckpoint(TextLineReader& reader, int orbitalIndex,
                                   std::string electronCountText = {},
                                   std::string basisCountText = {});

// Whether an orbital was computed, and what the user is to be told (also
// when it was: an unknown basis leaves an empty grid).
struct OrbitalOutcome {
    bool computed = false;
    bool noCoefficients = false; // the file has none for the spin: nothing is to change
    std::vector<std::string> messages;
    explicit operator bool() const { return computed; }
};

// The orbitals of a checkpoint or Molden file with the file's basis; for a
// checkpoint file without shell data, builtIn and an empty set. Fails (the
// reason in Japanese) on a file without coefficients.
struct FileOrbitals {
    OrbitalSet set;
    std::string basisName;
    bool builtIn = false;
};
ReadResult<FileOrbitals> readFileOrbitals(const std::string& path);

// The cube export's grid: points per axis (2 to 200) and the margin in bohr
// beyond the atoms; grid and atoms are filled with the computed orbital.
// Files without shell data give only the contour grid (51 points, the
// default margin).
struct CubeRequest {
    int points = kDefaultGridPoints;
    double margin = kDefaultGridMargin;
    OrbitalGrid grid;
    std::vector<OrbitalAtom> atoms;
};

// Reads path (a checkpoint or Molden file), updates the counts of state,
// fills mo with the orbital of that spin (orbitalIndex zero-based within the
// spin, -1 for the highest occupied one), evaluates the grid from the file's
// own basis (the built-in tables for a checkpoint file without one) and
// traces the contours into contours; with cube, also evaluates its grid.
// Not computed (contours empty) when the file could not be read, has no
// such orbital or the calculation failed.
OrbitalOutcome computeFileOrbital(const std::string& path, Spin spin, int orbitalIndex,
                                  MolecularOrbital& mo, CheckpointState& state,
                                  ContourStore& contours, CubeRequest* cube = nullptr);

// The same for state.checkpointPath on a calculator of its own.
OrbitalOutcome readCheckpoint(CheckpointState& state, ContourStore& contours, int orbitalIndex,
                              Spin spin = Spin::Alpha);

// Fills mo's box (from its atoms, angstrom) and grid with the orbital of
// these coefficients over basis.
void evaluateOnContourGrid(const ShellBasis& basis, const std::vector<double>& coefficients,
                           MolecularOrbital& mo);

} // namespace kalviro
