#pragma once
// Texts the dialogs beside the view share: the numbered atom list and the
// reading of a number typed into an edit.

#include <string>
#include <vector>

namespace kalviro {

struct MoleculeState;

// "番号  原子" and one line per atom: the number right-aligned in three
// places, five spaces, the symbol ("  1     C", " 12     H", "123     O").
std::vector<std::string> atomListLines(const MoleculeState& m);

} // namespace kalviro
