// The frame steps that move the molecule before anything is drawn, the
// mouse drags that ask for them, the pick slots, and the bond tubes a frame
// may leave out; no GL.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "document/PickedAtoms.h"
#include "document/ViewSettings.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "orbital/ContourStore.h"
#include "render/FrameSteps.h"
#include "render/HiddenBondTubes.h"
#include "render/MouseDrag.h"
#include "render/Picking.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

class SceneStepsTest : public test::DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc.contours.appendLoop(0, {{0, 1, 0}, {1, 0, 0}});
        Atom a;
        a.atomicNumber = 6;
        a.y = 1.0;
        replaceAtoms(doc.molecule, {a}, ElementSource::ByNumber);
    }
    RotationTotals step() { return runFrameSteps(doc); }
};

// A quarter turn about X takes (0, 1, 0) to (0, 0, 1); about Z the shown
// contours never turn, and hidden ones stay put while the molecule turns.
TEST_F(SceneStepsTest, ShownContoursTurnWithTheMoleculeExceptAboutZ) {
    for (int shown : {1, 0}) {
        SetUp();
        doc.orbitalFlags.orbitalShown = shown;
        doc.molecule.pendingRotationX = 90.0f;
        doc.molecule.pendingRotationZ = 90.0f * shown;
        step();
        const Vector3 p = doc.contours.currentPoints[0], q = doc.contours.currentPoints[1];
        EXPECT_NEAR(p.y, 1.0 - shown, 1e-6);
        EXPECT_NEAR(p.z, shown, 1e-6);
        EXPECT_NEAR(q.x, 1.0, 1e-6); // a Z turn would have moved it to (0, -1, 0)
        EXPECT_NEAR(q.y + p.x, 0.0, 1e-6);
        if (!shown) {
            EXPECT_NEAR(doc.molecule.atoms[0].z, 1.0, 1e-6); // the molecule itself turned
        }
    }
}

TEST_F(SceneStepsTest, TotalsGrowAndPendingClears) {
    MoleculeState& m = doc.molecule;
    m.rotationX = 350.0f;
    m.pendingRotationX = 15.0f;
    m.pendingRotationY = -15.0f;
    const RotationTotals shown = step();
    // The labels show the turn the frame draws.
    EXPECT_EQ(std::vector<float>({shown.x, shown.y, m.rotationX, m.rotationY, m.pendingRotationX, m.pendingRotationY}),
              std::vector<float>({365, -15, 365, -15, 0, 0}));
}

// In viewpoint mode the pending Y turn goes to the viewpoint, not to the atoms.
TEST_F(SceneStepsTest, ViewpointModeTurnsTheViewNotTheMolecule) {
    doc.view.viewpointMode = 1;
    MoleculeState& m = doc.molecule;
    m.viewValue = 10.0f;
    m.pendingRotationY = 15.0f;
    step();
    EXPECT_EQ(m.viewValue, 25.0f);
    EXPECT_NEAR(m.atoms[0].y, 1.0, 1e-12);
    EXPECT_EQ(m.rotationY, 15.0f);
}

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
        std::tie(m.drag.rotateStartX, m.drag.rotateStartY, m.drag.rotateCurrentX,
                 m.drag.rotateCurrentY) = std::tuple(c.startX, c.startY, c.currentX, c.currentY);
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

struct SlotCase {
    const char* name;
    std::vector<int> picks;     // pick results in order, 0 = empty space
    std::vector<int> slots;     // the filled slots afterwards, in order
    std::vector<int> selected;  // 1-based atoms left highlighted
};

class PickSlotsTest : public test::DocumentTest {};

TEST_F(PickSlotsTest, SlotRules) {
    const SlotCase cases[] = {
        {"oneAtom", {2}, {2}, {2}},
        {"sameAtomTwiceDeselects", {2, 2}, {}, {}},
        {"twoAtoms", {1, 3}, {1, 3}, {1, 3}},
        {"emptySpaceClears", {1, 3, 0}, {}, {}},
        {"takingOutMovesLaterPicksUp", {1, 3, 4, 3}, {1, 4}, {1, 4}},
        {"fourAtoms", {4, 3, 2, 1}, {4, 3, 2, 1}, {1, 2, 3, 4}},
        {"fifthAtomStartsAgain", {1, 2, 3, 4, 5}, {5}, {5}},
        {"fifthIsAPickedAtom", {1, 2, 3, 4, 2}, {1, 3, 4}, {1, 3, 4}},
    };
    for (const auto& c : cases) {
        MoleculeState m;
        m.atoms.resize(5);
        PickedAtoms p;
        for (int n : c.picks) { // a click highlights the atom it hit, then fills the slots
            if (n != 0)
                m.atoms[n - 1].selected = 1;
            recordPick(p, m, n);
        }
        EXPECT_EQ(std::vector<int>(p.slots, p.slots + p.count), c.slots) << c.name;
        for (int k = p.count; k < PickedAtoms::kMaxPicks; ++k)
            EXPECT_EQ(p.slots[k], 0) << c.name;
        std::vector<int> selected;
        for (std::size_t i = 0; i < m.atoms.size(); ++i)
            if (m.atoms[i].selected)
                selected.push_back(static_cast<int>(i) + 1);
        EXPECT_EQ(selected, c.selected) << c.name;
    }
}

TEST_F(PickSlotsTest, SlotsOfAGoneMoleculeAreClearedSafely) {
    MoleculeState m;
    m.atoms.resize(5);
    PickedAtoms p;
    p.slots[0] = 9;
    p.slots[1] = 12;
    p.count = 2;
    recordPick(p, m, 0);
    EXPECT_EQ(std::vector<int>({p.count, p.slots[0], p.slots[1]}), std::vector<int>(3, 0));
}

TEST(NearestNamedHitTest, NearestRecordWithANameWins) {
    // Records: names, min depth, max depth, names...
    const std::uint32_t axesThenAtoms[] = {0, 100, 200,    // unnamed line in front
                                           1, 500, 600, 2, // atom 2, behind
                                           1, 300, 400, 1, // atom 1, nearer
                                           0, 50,  60};    // unnamed bond, nearest
    EXPECT_EQ(nearestNamedHit(axesThenAtoms, 4), 1u);
    EXPECT_EQ(nearestNamedHit(axesThenAtoms, 2), 2u);
    const std::uint32_t unnamedOnly[] = {0, 1, 2, 0, 3, 4};
    EXPECT_EQ(nearestNamedHit(unnamedOnly, 2), 0u);
    EXPECT_EQ(nearestNamedHit(unnamedOnly, 0), 0u);
}

// Which bond tubes an opaque frame may leave out or cull, worked out from the
// bonds perception finds: a heavy-heavy bond is held from both ends, a bond to
// hydrogen only by the heavy atom; carbon's sphere is 0.5 x 0.77 = 0.385 at
// the default scale, the joint sphere 0.24, the tube 0.1.

class HiddenBondTubesTest : public test::DocumentTest {
  protected:
    // C0 - C1 - H2, and a dummy X3 beside C0.
    void SetUp() override {
        DocumentTest::SetUp();
        replaceAtoms(doc.molecule,
                     {test::atomAt("C", 0, 0, 0), test::atomAt("C", 1.5, 0, 0),
                      test::atomAt("H", 2.6, 0, 0), test::atomAt("X", -1, 0, 0)},
                     ElementSource::BySymbol);
        perceiveBonds(doc.molecule);
    }
    const BondSlot& slot(int owner, int partner) {
        for (const BondSlot& b : doc.molecule.atoms[owner].bonds)
            if (b.partner == partner)
                return b;
        ADD_FAILURE() << owner << " holds no bond to " << partner;
        return doc.molecule.atoms[owner].bonds.at(0);
    }
};

TEST_F(HiddenBondTubesTest, OnlyTheSecondTubeOfAMutualBondIsLeftOut) {
    const MoleculeState& m = doc.molecule;
    ASSERT_EQ(m.atoms[0].bondCount(), 1);
    ASSERT_EQ(m.atoms[1].bondCount(), 2);
    EXPECT_FALSE(tubeDrawnFromPartner(m, 0, slot(0, 1)));
    EXPECT_TRUE(tubeDrawnFromPartner(m, 1, slot(1, 0)));
    // Hydrogen holds no slot back: the heavy atom's tube is the only one.
    EXPECT_FALSE(tubeDrawnFromPartner(m, 1, slot(1, 2)));
    // A slot naming an atom that is not there is never taken as drawn.
    BondSlot stray;
    stray.partner = 9;
    EXPECT_FALSE(tubeDrawnFromPartner(m, 1, stray));
    stray.partner = -1;
    EXPECT_FALSE(tubeDrawnFromPartner(m, 1, stray));
}

TEST_F(HiddenBondTubesTest, EndsAreEnclosedOnlyByOpaqueSolidSpheres) {
    const MoleculeState& m = doc.molecule;
    ViewSettings& s = doc.view;
    struct Case {
        const char* style;
        bool shown, solid;
        float scale;
        bool heavyHeavy, heavyHydrogen;
    };
    // Hydrogen (0.29): 0.145 at scale 0.5, 0.087 at 0.3; carbon 0.077 at 0.1.
    const Case cases[] = {
        {"solid spheres", 1, 1, 0.5f, true, true},  {"wire spheres", 1, 0, 0.5f, false, false},
        {"small spheres", 1, 1, 0.3f, true, false}, {"tiny spheres", 1, 1, 0.1f, false, false},
        {"joints only", 0, 1, 0.5f, true, false},
    };
    for (const Case& c : cases) {
        std::tie(s.atomsShown, s.atomsSolid, s.atomScale) = std::tuple(c.shown, c.solid, c.scale);
        EXPECT_EQ(tubeEndsEnclosed(m, s, 0, 1), c.heavyHeavy) << c.style;
        EXPECT_EQ(tubeEndsEnclosed(m, s, 1, 2), c.heavyHydrogen) << c.style;
        EXPECT_FALSE(tubeEndsEnclosed(m, s, 0, 3)) << c.style << ": a dummy draws no sphere";
        EXPECT_FALSE(tubeEndsEnclosed(m, s, 0, 7)) << c.style << ": no such atom";
    }
}

} // namespace
} // namespace kalviro
