#include <gtest/gtest.h>

#include <cmath>

#include "model/MoleculeState.h"
#include "render/MouseDrag.h"

namespace kalviro {
namespace {

struct DragCase {
    const char* name;
    int left, right;
    float startX, startY, currentX, currentY;
    float expectedX, expectedY; // pending rotation about X and Y, degrees
};

TEST(RotationUpdateTest, TrackballOnHalfTheWidth) {
    // f(v) = asin(v) inside (-1, 1), pi/2 + asin(v - 1) beyond: 0.5 -> 30 deg,
    // 1 -> 90, 1.5 -> 120, 2 -> 180; a quarter of the difference is applied.
    const DragCase cases[] = {
        {"acrossA400PixelView", 0, 400, 0, 0, 400, 0, 0.0f, 45.0f},
        {"backAcross", 0, 400, 400, 0, 0, 0, 0.0f, -45.0f},
        {"oddWidthTruncates", 0, 401, 0, 0, 400, 0, 0.0f, 45.0f},
        {"quarterWidth", 0, 400, 0, 0, 100, 0, 0.0f, 7.5f},
        {"pastHalfWidth", 0, 400, 0, 0, 300, 0, 0.0f, 30.0f},
        {"verticalUsesWidthToo", 0, 400, 0, 0, 0, 200, 22.5f, 0.0f},
        {"pressAndReleaseInPlace", 0, 400, 123, 77, 123, 77, 0.0f, 0.0f},
        // Below the width in a tall window: clamped, not NaN.
        {"farBelowIsClamped", 0, 400, 0, 0, 0, 1000, 45.0f, 0.0f},
        {"offsetClientLeft", 100, 500, 0, 0, 400, 0, 0.0f, 45.0f},
        // Half of a one-pixel client is no width: the pending angles stay.
        {"zeroWidthRotatesNothing", 10, 11, 0, 0, 50, 0, 100.0f, 100.0f},
    };
    for (const auto& c : cases) {
        MoleculeState m;
        m.pendingRotationX = m.pendingRotationY = 100.0f; // assigned, not added
        m.pendingRotationZ = 7.0f;
        m.drag.rotateStartX = c.startX;
        m.drag.rotateStartY = c.startY;
        m.drag.rotateCurrentX = c.currentX;
        m.drag.rotateCurrentY = c.currentY;
        rotationUpdate(m, c.left, c.right);
        EXPECT_NEAR(m.pendingRotationX, c.expectedX, 1e-3) << c.name;
        EXPECT_NEAR(m.pendingRotationY, c.expectedY, 1e-3) << c.name;
        EXPECT_EQ(m.pendingRotationZ, 7.0f) << c.name;
    }
}

// 1:1 with the pointer: at eye distance 20 a 600-pixel view is
// 2 x 20 tan 22.5 = 16.57 units high, so 50 pixels are 1.381 units.
TEST(PanUpdateTest, FollowsThePointerFromWhereTheLastDragLeftIt) {
    MoleculeState m;
    m.panX = 1.0f;
    m.panY = -2.0f;
    beginPan(m, 10, 20);
    m.drag.panCurrentX = 60;
    m.drag.panCurrentY = -30;
    const float perPixel = panUnitsPerPixel(20.0f, 600);
    EXPECT_NEAR(perPixel, 2 * 20 * std::tan(22.5 * std::acos(-1.0) / 180) / 600, 1e-6);
    panUpdate(m, perPixel);
    EXPECT_NEAR(m.panX, 1.0f + 50 * perPixel, 1e-5);
    EXPECT_NEAR(m.panY, -2.0f + 50 * perPixel, 1e-5);

    // A new press starts from there: no jump back.
    beginPan(m, 200, 150);
    const float x = m.panX;
    panUpdate(m, perPixel);
    EXPECT_EQ(m.panX, x);
}

} // namespace
} // namespace kalviro
