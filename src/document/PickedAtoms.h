#pragma once
// The atoms picked last with the left button (1-based numbers in pick order,
// 0 empty), up to four: the rotation angle dialog reads the first two, the
// measurement all of them.

#include <cstdint>
#include <string>
#include <vector>

#include "model/Atom.h"

namespace kalviro {

struct PickedAtoms {
    static constexpr std::int32_t kMaxPicks = 4;
    std::int32_t slots[kMaxPicks] = {0, 0, 0, 0};
    std::int32_t count = 0;

    // Every slot empty; the atoms' highlights are the caller's business.
    void clear();
};

// What two, three or four picks measure: the distance (angstrom), the angle
// at the middle atom, or the dihedral about the middle bond (degrees, -180 to
// 180). `atoms` is 0 when there is nothing to measure (fewer than two picks,
// or a pick naming no atom of the molecule).
struct Measurement {
    int atoms = 0;
    double value = 0.0;
};
Measurement measurePicked(const PickedAtoms& p, const std::vector<Atom>& atoms);

// "距離 1-2: 1.2040 Å", "角度 1-2-3: 104.50°", "二面角 1-2-3-4: -60.00°"; "" for none.
std::string measurementText(const PickedAtoms& p, const std::vector<Atom>& atoms);

} // namespace kalviro
