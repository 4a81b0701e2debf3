#pragma once
// The traced orbital contour lines: loops of 3D points in angstrom, each with
// the sign code of its level (0 for +level, 1 for -level). The points are
// rotated with the molecule and can be restored to the computed positions.

#include <cstdint>
#include <vector>

#include "model/Vector3.h"

namespace kalviro {

struct ContourLoop {
    std::int32_t pointCount = 0;
    std::int32_t signCode = 0;
};

struct ContourStore {
    std::vector<Vector3> currentPoints; // as displayed (rotated)
    std::vector<Vector3> loadedPoints;  // as computed
    std::vector<ContourLoop> loops;     // in tracing order; points follow each other

    std::uint32_t pointCount() const { return static_cast<std::uint32_t>(currentPoints.size()); }
    std::uint32_t loopCount() const { return static_cast<std::uint32_t>(loops.size()); }

    // Appends one loop: its points to both point lists.
    void appendLoop(std::int32_t signCode, const std::vector<Vector3>& points);
    // Rotates the displayed points about X by a, then Y by b (degrees).
    void rotateContours(double a, double b);
    // Displayed points := computed points.
    void restoreContours();
};


} // namespace kalviro
