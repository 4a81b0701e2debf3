#pragma once
// Work on bond tubes that an opaque frame never shows. A bond between two
// heavy atoms is perceived from both ends, and the two tubes lie on the same
// line with the same radius: the one drawn second adds nothing but depth
// ties. A tube is open at its ends; when both ends sit inside opaque solid
// spheres its inner (back) faces are hidden everywhere and can be culled.
// Neither holds with blending, where every layer shows.

#include <cstddef>

namespace kalviro {

struct BondSlot;
struct MoleculeState;
struct ViewSettings;

// Whether the partner (an atom earlier in the list) holds a slot back to
// owner, so the same tube is already in the frame.
bool tubeDrawnFromPartner(const MoleculeState& m, std::size_t owner, const BondSlot& b);

// Whether both ends of the tube from owner to partner lie inside an opaque
// solid sphere of a frame drawn while not rotating: the atom's own sphere
// when atoms are shown, else the joint sphere of an atom that owns bonds.
bool tubeEndsEnclosed(const MoleculeState& m, const ViewSettings& s, std::size_t owner,
                      std::size_t partner);

} // namespace kalviro
