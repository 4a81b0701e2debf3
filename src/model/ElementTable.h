#pragma once
// Element symbols and covalent radii, indexed by atomic number.

#include <optional>
#include <string>
#include <string_view>

namespace kalviro {

// Highest atomic number the tables know (Og).
constexpr int kLastElement = 118;

// Symbol of atomic number n (0 gives "LP", a lone pair or ghost centre);
// empty outside 0 .. kLastElement.
std::string_view elementSymbol(int n);

// Covalent radius in angstrom for atomic number n (0 gives 0.01); 0.01
// outside 0 .. kLastElement.
double atomRadius(int n);

// Atomic number whose symbol equals text exactly (case-sensitive), searching
// from H on; "LP" and the empty text never match.
std::optional<int> elementByExactSymbol(std::string_view text);

// Atomic number of an atom label that begins with an element symbol, compared
// without regard to case, two letters tried before one: "C1" -> 6,
// "CL2" -> 17, "H12" -> 1. nullopt when no symbol fits.
std::optional<int> elementByLabelPrefix(std::string_view label);

} // namespace kalviro
