#pragma once
// The steps of a frame that change the molecule. They run before anything
// is drawn, in this order, so that the drawers only read.

namespace kalviro {

struct Document;

// Rotation totals in degrees about X, Y and Z.
struct RotationTotals {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Applies the pending rotation to the coordinates and vectors (and to the
// shown contours, never about Z), or in viewpoint mode turns the viewpoint
// by the pending Y rotation instead; then perceives the bonds and adds the
// pending rotation to the totals, clearing it. Returns the new totals: the
// frame's angle labels show the turn it draws.
RotationTotals runFrameSteps(Document& doc);

} // namespace kalviro
