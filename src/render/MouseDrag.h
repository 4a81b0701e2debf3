#pragma once
// What a drag does to the molecule, as plain arithmetic on the positions the
// mouse handlers record (client pixels, y downwards).

namespace kalviro {

struct MoleculeState;

// Pan offsets from the press point of the current left drag.
void panUpdate(MoleculeState& m);

// The virtual trackball: steadily growing from -pi at -2 to pi at 2; the
// argument is clamped there.
double trackball(double v);

// Pending X and Y rotation (degrees) from the right drag, both coordinates
// measured in half client widths. A zero-width client rotates nothing.
void rotationUpdate(MoleculeState& m, int clientLeft, int clientRight);

} // namespace kalviro
