#pragma once
// The molecular orbitals of one file: atoms, basis, and every alpha and
// beta orbital with its energy and occupation, and which one to show first.

#include <string>
#include <vector>

#include "model/readers/CheckpointSections.h"
#include "model/readers/ReadResult.h"
#include "orbital/ShellBasis.h"

namespace kalviro {

struct OrbitalAtom {
    int atomicNumber = 0;
    Point3 position{}; // bohr
};

enum class Spin { Alpha, Beta };

struct Orbital {
    int number = 0; // 1-based within its spin
    Spin spin = Spin::Alpha;
    double energy = 0.0;              // hartree
    double occupation = 0.0;          // electrons
    std::string symmetry;             // empty when the file gives none
    std::vector<double> coefficients; // one per basis function
};

struct OrbitalSet {
    std::vector<OrbitalAtom> atoms;
    ShellBasis basis;
    std::vector<Orbital> orbitals; // alpha orbitals, then beta ones (if any)

    // Index into orbitals of the highest occupied alpha orbital (the alpha
    // electron count's orbital; for a closed shell electrons / 2); 0 when
    // nothing is occupied, -1 when there are no orbitals.
    int defaultOrbital() const;
};

// Atoms, basis and orbitals of a formatted checkpoint file. Occupations come
// from the electron counts: 1 per spin orbital when the file has beta
// coefficients, else 2 up to the beta count and 1 up to the alpha count.
ReadResult<OrbitalSet> orbitalsFromCheckpoint(const CheckpointSections& file);

} // namespace kalviro
