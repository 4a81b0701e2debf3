// The frame steps that move the molecule before anything is drawn; no GL.

#include <gtest/gtest.h>

#include "model/MoleculeState.h"
#include "orbital/ContourStore.h"
#include "model/VibrationStore.h"
#include "render/FrameSteps.h"
#include "document/ViewSettings.h"
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
    RotationTotals step() {
        return runFrameSteps(doc);
    }
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
    EXPECT_EQ(shown.x, 365.0f); // the labels show the turn the frame draws
    EXPECT_EQ(shown.y, -15.0f);
    EXPECT_EQ(m.rotationX, 365.0f);
    EXPECT_EQ(m.rotationY, -15.0f);
    EXPECT_EQ(m.pendingRotationX, 0.0f);
    EXPECT_EQ(m.pendingRotationY, 0.0f);
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

} // namespace
} // namespace kalviro
