#include <gtest/gtest.h>

#include <algorithm>

#include "document/PickedAtoms.h"
#include "document/ViewSettings.h"
#include "model/MoleculeState.h"
#include "render/Frame.h"
#include "render/OffscreenSurface.h"
#include "render/Picking.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

class AspectGlTest : public test::DocumentTest {};

// In a window twice as wide as high an atom stays round, and a click on it,
// off the window's centre, still picks it.
TEST_F(AspectGlTest, AtomsStayRoundAndPickableInAWideWindow) {
    constexpr int kWidth = 1300, kHeight = 650;
    std::string error;
    auto surface = OffscreenSurface::open(kWidth, kHeight, error);
    if (!surface)
        GTEST_SKIP() << "no GL context: " << error;
    std::vector<Atom> atoms(1);
    atoms[0].atomicNumber = 8;
    atoms[0].x = 3.0;
    replaceAtoms(doc.molecule, atoms, ElementSource::ByNumber);
    const Picture picture = captureFrame(*surface, doc);
    ASSERT_EQ(picture.width, kWidth);
    const std::vector<std::uint8_t>& rgb = picture.rgb;
    int left = kWidth, right = -1, bottom = kHeight, top = -1;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const unsigned char* p = &rgb[(y * kWidth + x) * 3];
            if (p[0] || p[1] || p[2]) {
                left = std::min(left, x);
                right = std::max(right, x);
                bottom = std::min(bottom, y);
                top = std::max(top, y);
            }
        }
    ASSERT_GE(right, left);
    const int width = right - left + 1, height = top - bottom + 1;
    EXPECT_NEAR(width, height, 2) << width << " x " << height;
    EXPECT_GT(left, kWidth / 2); // right of the centre, where x = 3 lies

    drawFrame(*surface, doc);
    selectAt(doc, (left + right) / 2, kHeight - 1 - (top + bottom) / 2);
    EXPECT_EQ(doc.picked.count, 1);
}

} // namespace
} // namespace kalviro
