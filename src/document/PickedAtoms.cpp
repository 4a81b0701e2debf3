#include "document/PickedAtoms.h"

#include <memory>

namespace kalviro {
namespace {
std::unique_ptr<PickedAtoms> thePicked;
}

void PickedAtoms::clear() {
    slots[0] = 0;
    slots[1] = 0;
    count = 0;
}

PickedAtoms& pickedAtoms() {
    if (!thePicked)
        thePicked = std::make_unique<PickedAtoms>();
    return *thePicked;
}

void resetPickedAtoms() {
    thePicked = std::make_unique<PickedAtoms>();
}

} // namespace kalviro
