#pragma once
// The contour loops for other programs, as text (the cube file is in
// OrbitalGrid.h).

#include <string>

#include "orbital/ContourStore.h"

namespace kalviro {

// One block a loop: "+1" or "-1" for the level and the point count, then
// "x y z" in angstrom a line; blocks separated by an empty line.
std::string contourText(const ContourStore& store);

} // namespace kalviro
