#pragma once
// Whether a checkpoint orbital was computed and whether its contour lines
// and its isosurfaces are shown.

namespace kalviro {

struct OrbitalFlags {
    bool orbitalLoaded = false; // a checkpoint file was read and computed
    bool orbitalShown = false;  // the contour lines are drawn
    bool surfacesShown = false; // the isosurfaces are drawn
};

} // namespace kalviro
