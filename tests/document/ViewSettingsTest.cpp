#include <gtest/gtest.h>

#include "document/ViewSettings.h"

using namespace kalviro;

TEST(Zoom, FourStepsEachWayThenNothing) {
    ViewSettings s;
    ZoomCounter z;
    const float in[] = {16.666667f, 13.888889f, 11.574074f, 9.645062f};
    for (float expected : in) {
        z.zoom(0, s);
        EXPECT_NEAR(s.eyeDistance, expected, 1e-4);
    }
    z.zoom(0, s);
    EXPECT_NEAR(s.eyeDistance, 9.645062f, 1e-4);
    EXPECT_EQ(z.level, 4);
    EXPECT_NEAR(s.axisLength, 7.0 / (1.2 * 1.2 * 1.2 * 1.2), 1e-5);

    ViewSettings t;
    t.eyeX = 1.2f; // the eye offsets scale with the distance
    ZoomCounter y;
    const float out[] = {24.0f, 28.8f, 34.56f, 41.472f};
    for (float expected : out) {
        y.zoom(1, t);
        EXPECT_NEAR(t.eyeDistance, expected, 1e-4);
    }
    y.zoom(1, t);
    EXPECT_NEAR(t.eyeDistance, 41.472f, 1e-4);
    EXPECT_EQ(y.level, -4);
    y.zoom(7, t); // not a direction
    EXPECT_EQ(y.level, -4);
    EXPECT_NEAR(t.eyeX, 1.2 * 1.2 * 1.2 * 1.2 * 1.2, 1e-5);
}

TEST(Zoom, ALoadResetsTheEyeButNotTheCounter) {
    ViewSettings s;
    ZoomCounter z;
    z.zoom(0, s);
    z.zoom(0, s);
    s.eyeDistance = 20.0f; // what a reader writes after a load
    EXPECT_NEAR(s.axisLength, 7.0 / 1.44, 1e-5);
    int steps = 0;
    for (int k = 0; k < 6; ++k) {
        const float before = s.eyeDistance;
        z.zoom(0, s);
        steps += s.eyeDistance != before;
    }
    EXPECT_EQ(steps, 2);
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
