#include "render/HiddenBondTubes.h"

#include "model/MoleculeState.h"
#include "document/ViewSettings.h"

namespace kalviro {
namespace {

// Tube radius 0.1 with some room for the facets of a 32 x 32 sphere, whose
// flat faces come in to 0.994 of its radius.
constexpr double kSmallestEnclosingSphere = 0.11;

bool endEnclosed(const MoleculeState& m, const ViewSettings& s, std::size_t k) {
    if (k >= m.atoms.size())
        return false;
    const Atom& a = m.atoms[k];
    if (s.atomsShown)
        return s.atomsSolid && a.symbol != "X" && a.atomicNumber != -1 &&
               s.atomScale * a.radius > kSmallestEnclosingSphere;
    // The joint sphere (radius 0.24) of an atom that owns bonds.
    return a.atomicNumber != -1 && a.bondCount() > 0;
}

} // namespace

bool tubeDrawnFromPartner(const MoleculeState& m, std::size_t owner, const BondSlot& b) {
    const std::size_t partner = static_cast<std::size_t>(b.partner);
    if (b.partner < 0 || partner >= owner || partner >= m.atoms.size())
        return false;
    for (const BondSlot& back : m.atoms[partner].bonds)
        if (static_cast<std::size_t>(back.partner) == owner)
            return true;
    return false;
}

bool tubeEndsEnclosed(const MoleculeState& m, const ViewSettings& s, std::size_t owner,
                      std::size_t partner) {
    return endEnclosed(m, s, owner) && endEnclosed(m, s, partner);
}

} // namespace kalviro
