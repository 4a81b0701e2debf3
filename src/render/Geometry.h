#pragma once
// The solids every drawer is built from. Spheres and equal-radius cylinders
// can be replayed from display lists compiled once per context instead of
// being tessellated again for every atom and bond of every frame.

#include "model/Vector3.h"

namespace kalviro {

void solidSphere(double radius, int slices, int stacks);
// Along +Z from z = 0 to z = height, on the shared quadric.
void cylinder(double base, double top, double height, int slices, int stacks);
void solidCone(double base, double height, int slices, int stacks);

// Turns +Z onto direction d of length L (the rule bond perception uses).
void orientZOnto(const Vector3& d, double length);

// Whether the solids above come from display lists (the default) or are
// drawn anew each time.
void setGeometryLists(bool on);
bool geometryLists();
// Stacks used for straight tubes instead of the ones asked for (0: as
// asked). A straight tube's stacks only split it along its length, so fewer
// leave its outline as it was and move the shading by a rounding step except
// at a few edge pixels; the benchmark weighs what that saves.
void setStraightTubeStacks(int stacks);

// Forgets the compiled lists; a context that owned them is going away.
void forgetGeometryLists();

} // namespace kalviro
