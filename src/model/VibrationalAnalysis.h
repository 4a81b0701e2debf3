#pragma once
// Harmonic vibrational analysis from a Cartesian Hessian: mass-weighted,
// translations and rotations projected out, diagonalised. With the atomic
// polar tensor it gives each mode's dipole derivative and IR intensity.

#include <string_view>
#include <vector>

#include "model/Vector3.h"
#include "model/readers/ReadResult.h"

namespace kalviro {

struct CheckpointSections;

// Bohr radius in angstrom (CODATA 2018).
constexpr double kBohrInAngstrom = 0.529177210903;

struct HessianInput {
    std::vector<int> atomicNumbers;
    std::vector<double> coordinates; // bohr, x y z per atom
    std::vector<double> masses;      // amu; empty: the most abundant isotopes
    // Lower triangle row by row, as checkpoint files store it: 3N(3N+1)/2
    // values in hartree/bohr^2.
    std::vector<double> hessian;
    // Atomic polar tensor in atomic units, 9N values or none: the value at
    // 3 * (3 * atom + c) + d is d(mu_d)/d(x_c of atom).
    std::vector<double> polarTensor;
    // Frequencies the file gives itself (cm^-1), preferred when they agree
    // with the Hessian's; clear them when the masses change.
    std::vector<double> fileFrequencies;
};

struct NormalMode {
    double frequency = 0.0;   // cm^-1; imaginary ones as negative numbers
    double reducedMass = 0.0; // amu
    // Cartesian displacements with unit norm over all atoms, as programs
    // print them.
    std::vector<Vector3> displacements;
    // The unit eigenvector of the mass-weighted Hessian (masses in amu), 3N.
    std::vector<double> massWeighted;
    double intensity = 0.0;   // km/mol; 0 without a polar tensor
    Vector3 dipoleDerivative; // (km/mol)^1/2, |v|^2 = intensity
};

struct VibrationalAnalysis {
    std::vector<NormalMode> modes; // lowest frequency first
    std::vector<double> masses;    // amu, the ones used
    bool linear = false;           // 5 external coordinates instead of 6
    bool hasIntensities = false;
    bool frequenciesFromFile = false;     // the file's frequencies replaced ours
    bool fileFrequenciesDisagree = false; // given but more than 0.5 % off
};

// The analysis, or why the input does not make one: a Hessian or polar
// tensor of the wrong length, values that are not finite numbers, a mass
// that is not positive, counts that disagree, an element without a mass.
ReadResult<VibrationalAnalysis> analyseHessian(const HessianInput& input);

// The analysis again with some atoms' masses changed, as the user writes
// them ("3=2H,4=13C,5=17.9992", see parseIsotopeChanges); the file's own
// frequencies no longer apply. Fails on a bad change as analyseHessian does.
ReadResult<VibrationalAnalysis> analyseWithIsotopes(HessianInput input, std::string_view changes);

// Takes the sections the analysis needs from a formatted checkpoint file
// ("Atomic numbers", "Current cartesian coordinates", "Real atomic weights",
// "Cartesian Force Constants", "Dipole Derivatives", "Vib-E2"). A file
// without a Hessian is a failure unless requireHessian is false (for the
// polar tensor alone).
ReadResult<HessianInput> hessianInputFromCheckpoint(const CheckpointSections& file,
                                                    bool requireHessian = true);

// Dipole derivative in (km/mol)^1/2 of the unit mass-weighted displacement
// e (3N), with the masses in amu and the polar tensor laid out as in
// HessianInput.
Vector3 dipoleDerivativeOf(const std::vector<double>& massWeighted,
                           const std::vector<double>& masses,
                           const std::vector<double>& polarTensor);

} // namespace kalviro
