#pragma once
// The loaded molecule and the view's rotation and pan state.

#include <cstdint>
#include <vector>

#include "model/Atom.h"

namespace kalviro {

struct VibrationStore;

// The mouse-drag record: client positions and three flags.
struct DragState {
    float rotateStartX = 0, rotateStartY = 0;
    float rotateCurrentX = 0, rotateCurrentY = 0;
    float panStartX = 0, panStartY = 0;
    float panCurrentX = 0, panCurrentY = 0;
    float panBaseX = 0, panBaseY = 0; // the pan when the drag began
    bool rotating = false; // right button held
    bool pickMode = true;  // left button picks (true) or pans (false)
    bool panning = false;  // left button held in pan mode
};

struct MoleculeState {
    std::vector<Atom> atoms;
    float pendingRotationX = 0, pendingRotationY = 0, pendingRotationZ = 0;
    float rotationX = 0, rotationY = 0, rotationZ = 0;
    float panX = 0, panY = 0;
    float cameraDistance = 4.5f;
    float viewValue = 0;  // viewpoint yaw, degrees
    std::int32_t viewMode = 0; // 0 spectrum, 1 projection about X, 2 about Z
    DragState drag;
};

// How replaceAtoms sets each atom's element.
enum class ElementSource { ByNumber, BySymbol };

// Installs parsed atoms (position, symbol and atomic number filled) as the
// molecule: each is copied, its loaded position kept, its element set.
void replaceAtoms(MoleculeState& m, const std::vector<Atom>& parsed, ElementSource source);

void clearPendingRotation(MoleculeState& m);

// Rotates atoms (and, where the flags say they were loaded, the dipole
// derivatives and displacement vectors) by the pending angles: about Z
// first, then X and Y.
void applyPendingRotation(MoleculeState& m, VibrationStore& v, bool dipolesLoaded,
                          bool modesLoaded);

// After a frame was drawn: adds the pending angles to the totals and clears them.
void accumulateRotation(MoleculeState& m);

// Every atom back to its loaded position.
void restoreAllPositions(MoleculeState& m);

// Finds the bonds of every heavy atom (hydrogens and dummies own none):
// partners within 1.2 x (sum of radii), dummies excluded.
void perceiveBonds(MoleculeState& m);

// The bond slot from an atom to partner, d being the partner's position
// relative to the atom (non-zero).
BondSlot bondTowards(const Vector3& d, int partner);

} // namespace kalviro
