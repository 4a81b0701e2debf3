#include "model/MoleculeState.h"

#include <algorithm>
#include <cmath>

#include "model/VibrationStore.h"

namespace kalviro {
void replaceAtoms(MoleculeState& m, const std::vector<Atom>& parsed, ElementSource source) {
    std::vector<Atom> atoms(parsed.size());
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        Atom& a = atoms[i];
        a.copyFrom(parsed[i]);
        a.keepPosition();
        if (source == ElementSource::ByNumber)
            a.setElementByNumber(parsed[i].atomicNumber);
        else
            a.setElementBySymbol();
    }
    m.atoms = std::move(atoms);
}

void clearPendingRotation(MoleculeState& m) {
    m.pendingRotationX = 0;
    m.pendingRotationY = 0;
    m.pendingRotationZ = 0;
}

void applyPendingRotation(MoleculeState& m, VibrationStore& v, bool dipolesLoaded, bool modesLoaded) {
    const double c = m.pendingRotationZ;
    for (Atom& a : m.atoms)
        a.rotateZ(c);
    if (dipolesLoaded)
        v.rotateDipolesZ(c);
    if (modesLoaded)
        v.rotateModesZ(c);

    const double a = m.pendingRotationX;
    const double b = m.pendingRotationY;
    for (Atom& atom : m.atoms)
        atom.rotateXY(a, b);
    if (dipolesLoaded)
        v.rotateDipolesXY(a, b);
    if (modesLoaded)
        v.rotateModesXY(a, b);
}

void accumulateRotation(MoleculeState& m) {
    m.rotationX += m.pendingRotationX;
    m.rotationY += m.pendingRotationY;
    m.rotationZ += m.pendingRotationZ;
    clearPendingRotation(m);
}

void restoreAllPositions(MoleculeState& m) {
    for (Atom& a : m.atoms)
        a.restorePosition();
}

BondSlot bondTowards(const Vector3& d, int partner) {
    const double r = d.length();
    BondSlot slot;
    // |(0,0,1) - d/r| / 2 is sin of half the angle between +Z and d.
    const double ux = -d.x / r, uy = -d.y / r, uz = 1.0 - d.z / r;
    const double half = std::sqrt(ux * ux + uy * uy + uz * uz) / 2.0;
    slot.angle = -2.0 * std::asin(std::clamp(half, -1.0, 1.0)) * 180.0 / (4.0 * std::atan(1.0));
    slot.length = r;
    slot.axis = {d.y / r, -d.x / r, 0.0};
    slot.partner = partner;
    return slot;
}

void perceiveBonds(MoleculeState& m) {
    const std::size_t n = m.atoms.size();
    for (std::size_t i = 0; i < n; ++i) {
        Atom& ai = m.atoms[i];
        if (ai.isHydrogen() || ai.isDummy())
            continue;
        ai.bonds.clear();
        for (std::size_t j = 0; j < n; ++j) {
            const Atom& aj = m.atoms[j];
            if (j == i || aj.isDummy())
                continue;
            const Vector3 d = aj.position() - ai.position();
            const double r = d.length();
            // Two atoms on the same spot have no bond direction: no bond.
            if (r == 0.0 || !(r <= 1.2 * (ai.radius + aj.radius)))
                continue;
            ai.bonds.push_back(bondTowards(d, static_cast<int>(j)));
        }
    }
}

} // namespace kalviro
