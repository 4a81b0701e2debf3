#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "RecordingHost.h"
#include "TestSupport.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "orbital/ContourStore.h"
#include "platform/Messages.h"
#include "render/ViewCommands.h"
#include "document/IsotopeChange.h"
#include "document/ViewSettings.h"

using namespace kalviro;

namespace {

using test::RecordingHost;

class ViewCommandsTest : public test::DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc.scene.dipoleOrigin = "-1";
    }
    bool run(int id) { return table_.run(id); }
    CommandState state(int id) { return table_.state(id); }
    // Two atoms, loaded at (0,0,0) and (1,0,0), now moved elsewhere.
    void moveTwoAtoms() {
        MoleculeState& m = doc.molecule;
        m.atoms.resize(2);
        m.atoms[1].loadedPosition = {1, 0, 0};
        m.atoms[0].x = 3;
        m.atoms[1].y = 4;
    }
    RecordingHost host_{doc};
    ViewCommandTable table_{doc, host_};
};

} // namespace

TEST_F(ViewCommandsTest, RotationsAssignFifteenDegrees) {
    struct Case {
        int id;
        float MoleculeState::*axis;
        float degrees;
    };
    const Case cases[] = {
        {cmd::RotateXPlus, &MoleculeState::pendingRotationX, 15},
        {cmd::RotateYPlus, &MoleculeState::pendingRotationY, 15},
        {cmd::RotateZPlus, &MoleculeState::pendingRotationZ, 15},
        {cmd::RotateXMinus, &MoleculeState::pendingRotationX, -15},
        {cmd::RotateYMinus, &MoleculeState::pendingRotationY, -15},
        {cmd::RotateZMinus, &MoleculeState::pendingRotationZ, -15},
    };
    for (const Case& c : cases) {
        MoleculeState& m = doc.molecule;
        m.pendingRotationX = m.pendingRotationY = m.pendingRotationZ = 4;
        run(c.id);
        EXPECT_EQ(m.*c.axis, c.degrees) << c.id; // assigned, not added
        const float others =
            m.pendingRotationX + m.pendingRotationY + m.pendingRotationZ - c.degrees;
        EXPECT_EQ(others, 8.0f) << c.id;
    }
    EXPECT_EQ(platform_.redraws, 6);
}

TEST_F(ViewCommandsTest, ResetRestoresOrientationAndKeepsSwitches) {
    moveTwoAtoms();
    MoleculeState& m = doc.molecule;
    m.atoms[1].selected = 1;
    VibrationStore& v = doc.vibrations;
    v.dipoleDerivatives = {{0, 9, 0}};
    v.savedDipoleDerivatives = {{1, 2, 3}};
    m.pendingRotationX = 5;
    m.rotationX = 10, m.rotationY = 20, m.rotationZ = 30;
    m.viewValue = 45;
    m.panX = 1.5f, m.panY = -2;
    ViewSettings& s = doc.view;
    run(cmd::ZoomIn);
    s.eyeX = 3;
    s.numbersShown = true;
    s.selectBlendAllStyle();
    const int redraws = platform_.redraws;

    run(cmd::ResetCoordinates);

    EXPECT_EQ(m.atoms[0].position(), (Vector3{0, 0, 0}));
    EXPECT_EQ(m.atoms[1].position(), (Vector3{1, 0, 0}));
    EXPECT_EQ(v.dipoleDerivatives[0], (Vector3{1, 2, 3}));
    // Turns, pan, eye and axes back to the start; the next frame fits the camera.
    EXPECT_EQ(std::vector<float>({m.pendingRotationX, m.rotationX, m.rotationY, m.rotationZ, m.viewValue,
                                  m.panX, m.panY, s.eyeDistance, s.eyeX, s.axisLength}),
              std::vector<float>({0, 0, 0, 0, 0, 0, 0, 20, 0, 7}));
    EXPECT_EQ(std::tuple(doc.zoom.level, s.fitPending, platform_.redraws), std::tuple(0, true, redraws + 1));
    // What the reset leaves alone.
    EXPECT_EQ(std::tuple(m.atoms[1].selected, s.numbersShown, s.blendAll), std::tuple(1, true, true));
}

TEST_F(ViewCommandsTest, ResetRestoresContoursOnlyWithAnOrbital) {
    doc.contours.appendLoop(0, {{1, 0, 0}, {0, 1, 0}});
    doc.contours.currentPoints[0] = {5, 5, 5};
    run(cmd::ResetCoordinates);
    EXPECT_EQ(doc.contours.currentPoints[0], (Vector3{5, 5, 5}));
    doc.orbitalFlags.orbitalLoaded = true;
    run(cmd::ResetCoordinates);
    EXPECT_EQ(doc.contours.currentPoints[0], (Vector3{1, 0, 0}));
}

// The window requests in order, and what they see of the reset: the
// rotation dialog comes after it, the orbital before, the previews after
// their mode is set; the toolbar's load redraws after the open.
TEST_F(ViewCommandsTest, WindowRequestsComeInTheirPlaceAroundResetsAndRedraws) {
    moveTwoAtoms();
    doc.molecule.panX = 2;
    run(cmd::ComputeOrbital);
    EXPECT_EQ(doc.molecule.panX, 0.0f);
    doc.molecule.panX = 2;
    run(cmd::SetRotationAngle);
    for (int id : {cmd::ProjectionGreen, cmd::ShowSpectrum, cmd::ProjectionBlue})
        run(id);
    EXPECT_EQ(host_.calls,
              (std::vector<std::string>{"orbital", "rotation", "preview", "preview", "preview"}));
    EXPECT_EQ(host_.panSeen, (std::vector<float>{2, 0, 0, 0, 0}));
    EXPECT_EQ(host_.modeSeen[2], 1);
    EXPECT_EQ(host_.modeSeen[3], 0);
    EXPECT_EQ(host_.modeSeen[4], 2);

    const int redraws = platform_.redraws;
    run(cmd::OpenGaussian);
    EXPECT_EQ(platform_.redraws, redraws);
    run(cmd::LoadData);
    EXPECT_EQ(platform_.redraws, redraws + 1);
    EXPECT_EQ(host_.calls.back(), "gaussian");
}

TEST_F(ViewCommandsTest, AxisDialogOpensOnlyOnceItsItemWasRefreshedAndAtomsExist) {
    moveTwoAtoms();
    run(cmd::AxisDialog);
    EXPECT_TRUE(host_.calls.empty()); // the menu was never shown
    state(cmd::AxisDialog);
    run(cmd::AxisDialog);
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"axis"}));
    doc.molecule.atoms.clear();
    run(cmd::AxisDialog);
    EXPECT_EQ(host_.calls.size(), 1u);
    EXPECT_FALSE(run(12345));
}

TEST_F(ViewCommandsTest, IsotopesOnlyWithAKeptHessian) {
    run(cmd::ChangeIsotopes); // greyed, yet sent: nothing opens
    doc.hessian = std::make_shared<KeptHessian>();
    EXPECT_TRUE(state(cmd::ChangeIsotopes).enabled);
    run(cmd::ChangeIsotopes);
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"isotopes"}));
}

// The processing menu's greyed projection items say why, and the hint goes
// once they can be used.
TEST_F(ViewCommandsTest, ProcessingHintFollowsWhatTheFileHas) {
    EXPECT_EQ(processingMenuHint(doc), msg::kHintNoVibrations);
    doc.vibrations.frequencies = {"1000"};
    EXPECT_FALSE(state(cmd::ProjectionGreen).enabled);
    EXPECT_EQ(processingMenuHint(doc), msg::kHintNoDipoleDerivatives);
    doc.view.dipolesLoaded = true;
    EXPECT_TRUE(state(cmd::ProjectionGreen).enabled);
    EXPECT_EQ(processingMenuHint(doc), "");
}
