#pragma once
// The two atoms picked last with the left button (1-based numbers, 0 empty),
// read by the rotation angle dialog.

#include <cstdint>

namespace kalviro {

struct PickedAtoms {
    std::int32_t slots[2] = {0, 0};
    std::int32_t count = 0;

    // Both slots empty; the atoms' highlights are the caller's business.
    void clear();
};

} // namespace kalviro
