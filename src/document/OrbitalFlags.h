#pragma once
// Whether a checkpoint orbital was computed and whether its contour lines
// are shown.

namespace kalviro {

struct OrbitalFlags {
    bool orbitalLoaded = false; // a checkpoint file was read and computed
    bool orbitalShown = false;  // the contour lines are drawn
};

} // namespace kalviro
