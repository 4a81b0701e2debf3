#pragma once
// Reads a Molden file (.molden, .molf): [Atoms] in AU or Angs, the [GTO]
// basis with the [5D], [5D7F], [5D10F], [7F], [9G] and [11H] markers, the
// [MO] orbitals (Sym, Ene, Spin, Occup), and the vibrations of [FREQ],
// [FR-COORD], [FR-NORM-COORD] and [INT] when the file has them.

#include <optional>
#include <string>
#include <string_view>

#include "model/readers/FrequencyJob.h"
#include "model/readers/ReadResult.h"
#include "orbital/OrbitalSet.h"

namespace kalviro {

struct MoldenContents {
    // Atoms always; basis and orbitals empty when the file has no [MO].
    OrbitalSet orbitals;
    std::optional<FrequencyJob> frequencies; // when the file has [FREQ]
};

// A failure gives the reason in Japanese, with the line number where one
// line is at fault.
ReadResult<MoldenContents> parseMolden(std::string_view text);
ReadResult<MoldenContents> readMolden(const std::string& path);

// Whether path names a Molden file (.molden, .molf, any case).
bool isMoldenPath(std::string_view path);

} // namespace kalviro
