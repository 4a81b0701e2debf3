#pragma once
// Picking atoms with the left button: a selection pass over the scene and
// the record of the up to four atoms picked last.

#include <cstdint>

namespace kalviro {

struct Document;
struct MoleculeState;
struct PickedAtoms;

// Of the hit records in buffer (hits of them), the name of the nearest
// record that carries one; 0 when none does.
std::uint32_t nearestNamedHit(const std::uint32_t* buffer, int hits);

// Runs the scene in selection mode around client position (x, y) of the
// current context; the picked atom (1-based) is marked selected and
// returned, 0 when the click hit no atom.
int pickAtom(Document& doc, int x, int y);

// The slot rules for a pick result n (0: nothing hit): a new atom is added,
// a picked one taken out, empty space or a fifth atom clears the others.
void recordPick(PickedAtoms& p, MoleculeState& m, int n);

// pickAtom at (x, y), then the slot rules on doc's picked atoms.
void selectAt(Document& doc, int x, int y);

} // namespace kalviro
