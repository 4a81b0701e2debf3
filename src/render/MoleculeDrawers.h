#pragma once
// The drawers that clear the picture and draw the viewpoint marks, the atoms,
// the bonds and the orbital contours. They only read; the frame steps have
// moved the molecule before.

namespace kalviro {

struct ContourStore;
struct MoleculeState;

void clearPicture();

// The viewpoint yaw with its two arcs and arrowheads; leaves the yaw in the
// model-view matrix for the rest of the frame.
void drawViewpoint();

void drawAtoms();
void drawBonds();
void drawOrbital();

// The contour loops as line loops, blue for the positive level and red for
// the negative, at the model depth.
void drawContours(const ContourStore& store, const MoleculeState& m);

} // namespace kalviro
