#pragma once
// What a frequency job's output gives, whichever program wrote it: the atoms
// of the geometry the modes belong to, the modes with their texts as printed,
// and the dipole derivative of every mode where the file has it.

#include <string>
#include <vector>

#include "model/Atom.h"
#include "model/Vector3.h"

namespace kalviro {

struct FrequencyJob {
    std::string program;     // "Gaussian", "ORCA 4.2.1", ... ; empty when unknown
    std::vector<Atom> atoms; // position (angstrom) and atomic number only
    // One entry per mode, translations and rotations left out. Imaginary
    // wavenumbers are negative numbers. Texts are as printed (the IR table
    // writes them as they are); columns a program does not print stay empty.
    std::vector<std::string> frequencies;
    std::vector<std::string> intensities; // IR intensities in the file's unit
    std::vector<std::string> symmetries;
    std::vector<std::string> ramanActivities; // empty when not printed
    // The file's intensity unit times this gives km/mol (GAMESS prints
    // debye^2/(amu angstrom^2)).
    double intensityToKmPerMol = 1.0;
    std::vector<std::vector<Vector3>> modes; // [mode][atom], Cartesian displacements
    // The same modes to five decimals where the file has Gaussian's
    // high-precision table (freq=hpmodes), else empty. Only for computing
    // dipole derivatives: what is shown stays the ordinary table.
    std::vector<std::vector<Vector3>> preciseModes;
    // Dipole derivative of each mode in (km/mol)^1/2, so that |v|^2 is the
    // IR intensity; empty when the file has none.
    std::vector<Vector3> dipoleDerivatives;
};

} // namespace kalviro
