#pragma once
// The isotope dialog's fields: atom numbers ("3, 5-7") and one isotope or
// mass for all of them, turned into the change list the document takes.

#include <string>

#include "model/readers/ReadResult.h"

namespace kalviro {

struct PickedAtoms;

// The picked atoms as the atoms field starts: "3, 4"; "" for none.
std::string pickedAtomsText(const PickedAtoms& picked);

// "3=2H,5=2H,6=2H,7=2H" for atoms "3, 5-7" and isotope "2H", checked as
// parseIsotopeChanges checks it against atomCount; otherwise the reason.
ReadResult<std::string> isotopeChangeList(const std::string& atoms, const std::string& isotope,
                                          int atomCount);

} // namespace kalviro
