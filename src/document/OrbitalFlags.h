#pragma once
// Whether a checkpoint orbital was computed and whether its contour lines
// are shown. Plain flags that the file reset and the view read, so they build
// with the model like the view settings.

#include <cstdint>

namespace kalviro {

struct OrbitalFlags {
    std::uint8_t orbitalLoaded = 0; // a checkpoint file was read and computed
    std::uint8_t orbitalShown = 0;  // the contour lines are drawn
};

OrbitalFlags& orbitalFlags();
// Both flags back to 0 (tests, start-up).
void resetOrbitalFlags();

} // namespace kalviro
