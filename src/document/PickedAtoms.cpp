#include "document/PickedAtoms.h"

namespace kalviro {

void PickedAtoms::clear() {
    slots[0] = 0;
    slots[1] = 0;
    count = 0;
}

} // namespace kalviro
