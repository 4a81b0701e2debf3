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

// Forgets the compiled lists; a context that owned them is going away.
void forgetGeometryLists();

} // namespace kalviro
