#pragma once
// The computed orbital for other programs: the grid as a Gaussian cube file
// and the contour loops as text.

#include <string>

#include "orbital/ContourStore.h"
#include "orbital/MolecularOrbital.h"

namespace kalviro {

// Cube file of an evaluated calculator (positions already in bohr): two
// title lines, atom count and origin, the three axes, the atoms, then the
// values with x outermost and z innermost, six a line.
std::string cubeFileText(const MolecularOrbital& mo, const std::string& title,
                         const std::string& comment);

// One block a loop: "+1" or "-1" for the level and the point count, then
// "x y z" in angstrom a line; blocks separated by an empty line.
std::string contourText(const ContourStore& store);

} // namespace kalviro
