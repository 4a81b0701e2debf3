#pragma once
// Symmetry-unique atoms of a GAMESS $DATA group expanded to the whole
// molecule. With COORD=UNIQUE (the default) a group other than C1 lists one
// atom of each set of symmetry-equivalent ones, in GAMESS's master frame:
// the principal axis is z; the CS plane and every sigma-h are the xy plane;
// a generator sigma-v is the xz plane; a generator C2 axis of the dihedral
// groups is x (in DND the sigma-d planes bisect the C2 axes); the cubic
// groups have their two-fold (T, TH, TD) or four-fold (O, OH) axes on x, y
// and z.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Atom.h"
#include "model/readers/ReadResult.h"

namespace kalviro {

struct GamessPointGroup {
    std::string name; // upper case: "C1", "CS", "CNH", "DND", "TD", ...
    int order = 1;    // NAXIS; 1 for groups without an N
};

// The $DATA group's second line, "CNH 2", "Dnd 3", "TD", "C1".
// nullopt when it names no group GAMESS knows or lacks a needed order.
std::optional<GamessPointGroup> parseGamessPointGroup(std::string_view line);

// Every atom generated from the unique ones by the group's operations,
// each unique atom followed by its images; an image that falls within
// 0.01 angstrom of one already made (an atom on a symmetry element) is the
// same atom. The images keep the unique atom's element and label.
ReadResult<std::vector<Atom>> expandGamessSymmetry(const GamessPointGroup& group,
                                                   const std::vector<Atom>& unique);

// Whether $DATA lists only the symmetry-unique atoms: COORD=UNIQUE or no
// COORD in the $CONTRL text given (any case). CART, ZMT, ZMTMPC, FRAGONLY
// and PRINAXIS list every atom.
bool gamessListsUniqueAtoms(std::string_view contrlText);

} // namespace kalviro
