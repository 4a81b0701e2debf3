#pragma once
// "座標データの保存": the atoms as read from the file, one "symbol x y z" line
// each, whatever rotation the view shows.

#include <string>

namespace kalviro {

struct MoleculeState;

// "%s %lf %lf %lf" of every atom's loaded position, CR LF after each line.
std::string coordinateFileBytes(const MoleculeState& molecule);

} // namespace kalviro
