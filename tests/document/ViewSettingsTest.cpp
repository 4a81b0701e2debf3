#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "document/ViewSettings.h"

using namespace kalviro;

// Each step scales the eye distance, its offsets and the axes by 1 / 1.2 in
// or 1.2 out, four steps each way from where the counter started.
TEST(Zoom, FourStepsEachWayThenNothing) {
    for (const auto& [direction, factor] : {std::pair{0, 1 / 1.2}, std::pair{1, 1.2}}) {
        ViewSettings s;
        s.eyeX = 1.2f;
        ZoomCounter z;
        for (int k = 1; k <= 6; ++k) {
            z.zoom(direction, s);
            const double f = std::pow(factor, std::min(k, 4));
            EXPECT_NEAR(s.eyeDistance, 20 * f, 1e-4) << direction << " step " << k;
            EXPECT_NEAR(s.eyeX, 1.2 * f, 1e-5) << direction << " step " << k;
            EXPECT_NEAR(s.axisLength, 7 * f, 1e-5) << direction << " step " << k;
        }
        z.zoom(7, s); // not a direction
        EXPECT_EQ(z.level, direction == 0 ? 4 : -4);
    }
    // A load resets the eye but not the counter: two steps in, then two more.
    ViewSettings s;
    ZoomCounter z;
    z.zoom(0, s);
    z.zoom(0, s);
    s.eyeDistance = 20.0f;
    for (int k = 0; k < 6; ++k)
        z.zoom(0, s);
    EXPECT_NEAR(s.eyeDistance, 20 / 1.44, 1e-4);
}

// Switching the surface either way takes the axes away.
TEST(Toggles, SurfaceTakesTheAxesAway) {
    ViewSettings s;
    for (bool surfaceAfter : {true, false}) {
        s.axesShown = true;
        s.toggleSurface();
        EXPECT_EQ(s.surfaceShown, surfaceAfter);
        EXPECT_FALSE(s.axesShown);
    }
}
