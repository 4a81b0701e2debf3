#pragma once
// What a frame of the playing animation draws instead of the still
// molecule: a copy with the atoms moved along the selected mode, and the
// mode's wavenumber and species in the top-left corner.

#include <vector>

#include "model/MoleculeState.h"

namespace kalviro {

struct Document;

// doc's molecule with every atom moved by amplitude sin(phase) d and its
// bonds turned after the atoms; the bonds found for the still molecule are
// kept, so none appear or vanish as the atoms swing.
MoleculeState animatedMolecule(const Document& doc, const std::vector<Vector3>& d);

// The selected mode's caption, in window pixels from the top-left corner.
void drawModeCaption(const Document& doc);

} // namespace kalviro
