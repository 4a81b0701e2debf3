#pragma once
// What a drag does to the molecule, as plain arithmetic on the positions the
// mouse handlers record (client pixels, y downwards).

namespace kalviro {

struct MoleculeState;

// A left drag in pan mode begins at client (x, y) from the current pan.
void beginPan(MoleculeState& m, float x, float y);
// Model units per pixel at the model's depth for an eye that far away in a
// view that many pixels high: a pan by that follows the pointer.
float panUnitsPerPixel(float eyeDistance, int viewHeight);
// The pan where the drag began plus the pointer's travel since the press.
void panUpdate(MoleculeState& m, float unitsPerPixel);

// The virtual trackball: steadily growing from -pi at -2 to pi at 2; the
// argument is clamped there.
double trackball(double v);

// Pending X and Y rotation (degrees) from the right drag, both coordinates
// measured in half client widths. A zero-width client rotates nothing.
void rotationUpdate(MoleculeState& m, int clientLeft, int clientRight);

} // namespace kalviro
