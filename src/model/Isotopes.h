#pragma once
// Atomic masses for vibrational analysis: the most abundant isotope of each
// element (the masses quantum-chemistry programs use by default), named
// isotopes ("2H", "D", "13C", "37Cl") and the user's list of changed masses.

#include <optional>
#include <string_view>
#include <vector>

#include "model/readers/ReadResult.h"

namespace kalviro {

// Mass in amu of the most abundant isotope of atomic number z; nullopt for
// elements the table does not cover (it covers 1 .. 54).
std::optional<double> standardIsotopeMass(int z);

// Mass in amu of an isotope named by mass number and symbol ("13C", "2H",
// "37Cl"), or "D" / "T" for 2H / 3H; nullopt when the table does not know it.
std::optional<double> isotopeMass(std::string_view name);

struct MassChange {
    int atom = 0;      // zero-based
    double mass = 0.0; // amu
};

// Reads "3=2H,4=13C,5=17.9992": one-based atom number = isotope name or a
// mass in amu, separated by commas (spaces allowed). atomCount bounds the
// atom numbers. The failure text names the item and the reason.
ReadResult<std::vector<MassChange>> parseIsotopeChanges(std::string_view text, int atomCount);

// masses with the changes applied.
std::vector<double> applyMassChanges(std::vector<double> masses,
                                     const std::vector<MassChange>& changes);

} // namespace kalviro
