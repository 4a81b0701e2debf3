#include <gtest/gtest.h>

#include <algorithm>

#include "GlHarness.h"
#include "document/PickedAtoms.h"
#include "render/Picking.h"

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
    const test::LitBox box = test::litBox(picture);
    ASSERT_GE(box.right, box.left);
    EXPECT_NEAR(box.width(), box.height(), 2) << box.width() << " x " << box.height();
    EXPECT_GT(box.left, kWidth / 2); // right of the centre, where x = 3 lies

    drawFrame(*surface, doc);
    selectAt(doc, (box.left + box.right) / 2, kHeight - 1 - (box.top + box.bottom) / 2);
    EXPECT_EQ(doc.picked.count, 1);
}

} // namespace
} // namespace kalviro
