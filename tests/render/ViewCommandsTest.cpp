#include <gtest/gtest.h>

#include <map>
#include <string>

#include "TestSupport.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "model/readers/GaussianOutputReader.h"
#include "orbital/ContourStore.h"
#include "orbital/OrbitalFlags.h"
#include "render/ViewCommands.h"
#include "render/ViewSettings.h"

using namespace kalviro;

namespace {

class ViewCommandsTest : public test::ProcessStateTest {
  protected:
    void SetUp() override {
        ProcessStateTest::SetUp();
        viewHooks() = ViewHooks{};
        resetDipoleOrigin();
    }
    void TearDown() override {
        viewHooks() = ViewHooks{};
        ProcessStateTest::TearDown();
    }
    // Two atoms, loaded at (0,0,0) and (1,0,0), now moved elsewhere.
    void moveTwoAtoms() {
        MoleculeState& m = moleculeState();
        m.atoms.resize(2);
        m.atoms[1].loadedPosition = {1, 0, 0};
        m.atoms[0].x = 3;
        m.atoms[1].y = 4;
    }
};

// Enabled / check-mark state of one command in one situation.
struct Expect {
    int id;
    bool enabled;
    bool checked;
};

void expectStates(const std::vector<Expect>& table) {
    for (const Expect& e : table) {
        const CommandState s = updateCommand(e.id);
        EXPECT_EQ(s.enabled, e.enabled) << "id " << e.id;
        EXPECT_EQ(s.checked, e.checked) << "id " << e.id;
    }
}

} // namespace

TEST_F(ViewCommandsTest, RulesWithNothingLoaded) {
    expectStates({{cmd::ShowModes, false, false},       {cmd::ShowDipole, false, false},
                  {cmd::ShowSpectrum, false, false},    {cmd::ProjectionGreen, false, false},
                  {cmd::ProjectionBlue, false, false},  {cmd::ComputeOrbital, false, false},
                  {cmd::ShowOrbital, false, false},     {cmd::RotateXPlus, false, false},
                  {cmd::RotateYPlus, false, false},     {cmd::RotateZPlus, false, false},
                  {cmd::RotateXMinus, false, false},    {cmd::RotateYMinus, false, false},
                  {cmd::RotateZMinus, false, false},    {cmd::StyleSolid, true, true},
                  {cmd::StyleBlendBond, true, false},   {cmd::StyleBlendAll, true, false},
                  {cmd::PanMode, true, true},           {cmd::HydrogenVectors, true, true},
                  {cmd::AtomsSolid, true, true},        {cmd::AtomsShown, true, true},
                  {cmd::ShowAxes, true, false},         {cmd::ShowSurface, true, false},
                  {cmd::ShowNumbers, true, false},      {cmd::ShowAngles, true, false},
                  {cmd::CovalentRadius, true, false},   {cmd::RotationButtons, true, false},
                  {cmd::Viewpoint, true, false},        {cmd::SetRotationAngle, true, false},
                  {cmd::ResetCoordinates, true, false}, {cmd::OpenGaussian, true, false}});
}

TEST_F(ViewCommandsTest, RulesAfterAnOutputFileWithDipoles) {
    ASSERT_TRUE(readOutput(test::dataPath("gaussian-output/g98_opt_freq.log")));
    ASSERT_EQ(viewSettings().dipolesLoaded, 1);
    expectStates({{cmd::ShowModes, true, false},
                  {cmd::ShowDipole, true, false},
                  {cmd::ShowSpectrum, true, false},
                  {cmd::ProjectionGreen, true, false},
                  {cmd::ProjectionBlue, true, false},
                  {cmd::ComputeOrbital, false, false},
                  {cmd::RotateXPlus, false, false}});
    runViewCommand(cmd::ShowModes);
    runViewCommand(cmd::ShowDipole);
    expectStates({{cmd::ShowModes, true, true}, {cmd::ShowDipole, true, true}});
}

TEST_F(ViewCommandsTest, RulesWithACheckpointOrbital) {
    orbitalFlags().orbitalLoaded = 1;
    expectStates({{cmd::ComputeOrbital, true, false}, {cmd::ShowOrbital, true, false}});
    runViewCommand(cmd::ShowOrbital);
    expectStates({{cmd::ShowOrbital, true, true}});
    runViewCommand(cmd::ShowOrbital);
    expectStates({{cmd::ShowOrbital, true, false}});
}

TEST_F(ViewCommandsTest, RotationButtonsSwitchTheSixRotations) {
    runViewCommand(cmd::RotationButtons);
    EXPECT_EQ(platform_.redraws, 0); // only the buttons change
    for (int id : {cmd::RotateXPlus, cmd::RotateYPlus, cmd::RotateZPlus, cmd::RotateXMinus,
                   cmd::RotateYMinus, cmd::RotateZMinus})
        EXPECT_TRUE(updateCommand(id).enabled) << id;
    EXPECT_TRUE(updateCommand(cmd::RotationButtons).checked);
}

TEST_F(ViewCommandsTest, SideEffectsOfToggles) {
    ViewSettings& s = viewSettings();
    runViewCommand(cmd::CovalentRadius);
    EXPECT_FLOAT_EQ(s.atomScale, 1.0f);
    runViewCommand(cmd::CovalentRadius);
    EXPECT_FLOAT_EQ(s.atomScale, 0.5f);

    s.axesShown = 1;
    runViewCommand(cmd::ShowSurface); // the surface hides the rotating axes
    EXPECT_EQ(s.axesShown, 0);
    s.axesShown = 1;
    runViewCommand(cmd::ShowSurface);
    EXPECT_EQ(s.axesShown, 0);

    moleculeState().viewValue = 33;
    runViewCommand(cmd::Viewpoint);
    EXPECT_EQ(moleculeState().viewValue, 0.0f);
}

TEST_F(ViewCommandsTest, VectorFactorsAndZoom) {
    ViewSettings& s = viewSettings();
    runViewCommand(cmd::VectorLonger);
    EXPECT_DOUBLE_EQ(s.vectorLength, 0.625);
    runViewCommand(cmd::VectorShorter);
    EXPECT_DOUBLE_EQ(s.vectorLength, 0.46875);
    runViewCommand(cmd::InvertVectors);
    EXPECT_EQ(s.vectorSign, -1.0f);
    runViewCommand(cmd::InvertVectors);
    EXPECT_EQ(s.vectorSign, 1.0f);

    for (int i = 0; i < 6; ++i)
        runViewCommand(cmd::ZoomIn); // stops after four steps
    EXPECT_NEAR(s.eyeDistance, 20.0 / (1.2 * 1.2 * 1.2 * 1.2), 1e-4);
    runViewCommand(cmd::ZoomOut);
    EXPECT_NEAR(s.eyeDistance, 20.0 / (1.2 * 1.2 * 1.2), 1e-4);
    EXPECT_EQ(platform_.redraws, 4 + 6 + 1);
}

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
        MoleculeState& m = moleculeState();
        m.pendingRotationX = m.pendingRotationY = m.pendingRotationZ = 4;
        runViewCommand(c.id);
        EXPECT_EQ(m.*c.axis, c.degrees) << c.id; // assigned, not added
        const float others =
            m.pendingRotationX + m.pendingRotationY + m.pendingRotationZ - c.degrees;
        EXPECT_EQ(others, 8.0f) << c.id;
    }
    EXPECT_EQ(platform_.redraws, 6);
}

TEST_F(ViewCommandsTest, ResetRestoresOrientationAndKeepsSwitches) {
    moveTwoAtoms();
    MoleculeState& m = moleculeState();
    m.atoms[1].selected = 1;
    VibrationStore& v = vibrationStore();
    v.dipoleDerivatives = {{0, 9, 0}};
    v.savedDipoleDerivatives = {{1, 2, 3}};
    m.pendingRotationX = 5;
    m.rotationX = 10, m.rotationY = 20, m.rotationZ = 30;
    m.viewValue = 45;
    m.panX = 1.5f, m.panY = -2;
    ViewSettings& s = viewSettings();
    runViewCommand(cmd::ZoomIn);
    s.eyeX = 3;
    s.numbersShown = 1;
    s.selectBlendAllStyle();
    const int redraws = platform_.redraws;

    runViewCommand(cmd::ResetCoordinates);

    EXPECT_EQ(m.atoms[0].position(), (Vector3{0, 0, 0}));
    EXPECT_EQ(m.atoms[1].position(), (Vector3{1, 0, 0}));
    EXPECT_EQ(v.dipoleDerivatives[0], (Vector3{1, 2, 3}));
    EXPECT_EQ(m.pendingRotationX, 0.0f);
    EXPECT_EQ(m.rotationX + m.rotationY + m.rotationZ + m.viewValue, 0.0f);
    EXPECT_EQ(m.panX, 0.0f);
    EXPECT_EQ(m.panY, 0.0f);
    EXPECT_EQ(s.eyeDistance, 20.0f);
    EXPECT_EQ(s.eyeX, 0.0f);
    EXPECT_EQ(s.axisLength, 7.0f);
    EXPECT_EQ(zoomCounter().level, 0);
    EXPECT_EQ(platform_.redraws, redraws + 1);
    // What the reset leaves alone.
    EXPECT_EQ(m.atoms[1].selected, 1);
    EXPECT_EQ(s.numbersShown, 1);
    EXPECT_EQ(s.blendAll, 1);
}

TEST_F(ViewCommandsTest, ResetRestoresContoursOnlyWithAnOrbital) {
    contourStore().appendLoop(0, {{1, 0, 0}, {0, 1, 0}});
    contourStore().currentPoints[0] = {5, 5, 5};
    runViewCommand(cmd::ResetCoordinates);
    EXPECT_EQ(contourStore().currentPoints[0], (Vector3{5, 5, 5}));
    orbitalFlags().orbitalLoaded = 1;
    runViewCommand(cmd::ResetCoordinates);
    EXPECT_EQ(contourStore().currentPoints[0], (Vector3{1, 0, 0}));
}

TEST_F(ViewCommandsTest, ToolbarLoadRedrawsAfterTheOpenAndTheMenuOpenDoesNot) {
    int opens = 0;
    viewHooks().openGaussianFile = [&opens] { ++opens; };
    runViewCommand(cmd::OpenGaussian);
    EXPECT_EQ(platform_.redraws, 0);
    runViewCommand(cmd::LoadData);
    EXPECT_EQ(opens, 2);
    EXPECT_EQ(platform_.redraws, 1);
}

TEST_F(ViewCommandsTest, PreviewCommandsSetTheModeFirst) {
    std::vector<int> modes;
    viewHooks().showSpectrumPreview = [&modes] { modes.push_back(moleculeState().viewMode); };
    runViewCommand(cmd::ProjectionGreen);
    runViewCommand(cmd::ShowSpectrum);
    runViewCommand(cmd::ProjectionBlue);
    EXPECT_EQ(modes, (std::vector<int>{1, 0, 2}));
}

TEST_F(ViewCommandsTest, RotationDialogOpensAfterTheReset) {
    moveTwoAtoms();
    moleculeState().panX = 2;
    float panSeen = -1;
    viewHooks().showRotationDialog = [&panSeen] { panSeen = moleculeState().panX; };
    runViewCommand(cmd::SetRotationAngle);
    EXPECT_EQ(panSeen, 0.0f);
    EXPECT_EQ(moleculeState().atoms[0].x, 0.0);
}

TEST_F(ViewCommandsTest, OrbitalIsComputedBeforeTheReset) {
    moleculeState().panX = 2;
    float panSeen = -1;
    viewHooks().computeOrbital = [&panSeen] { panSeen = moleculeState().panX; };
    runViewCommand(cmd::ComputeOrbital);
    EXPECT_EQ(panSeen, 2.0f);
    EXPECT_EQ(moleculeState().panX, 0.0f);
}

TEST_F(ViewCommandsTest, AxisDialogOpensOnlyOnceItsItemWasRefreshedAndAtomsExist) {
    int opened = 0;
    viewHooks().showAxisDialog = [&opened] { ++opened; };
    moveTwoAtoms();
    runViewCommand(cmd::AxisDialog);
    EXPECT_EQ(opened, 0); // the menu was never shown
    const CommandState s = updateCommand(cmd::AxisDialog);
    EXPECT_TRUE(s.enabled);
    EXPECT_FALSE(s.checkable);
    EXPECT_EQ(viewSettings().axisDialogEnabled, 1);
    runViewCommand(cmd::AxisDialog);
    EXPECT_EQ(opened, 1);
    moleculeState().atoms.clear();
    runViewCommand(cmd::AxisDialog);
    EXPECT_EQ(opened, 1);
}

TEST_F(ViewCommandsTest, UnknownIdsAreLeftToTheFrame) {
    EXPECT_FALSE(runViewCommand(cmd::About));
    EXPECT_FALSE(runViewCommand(12345));
    EXPECT_EQ(platform_.redraws, 0);
}

TEST(DipoleOrigin, StartsAtTheModelOrigin) {
    resetDipoleOrigin();
    EXPECT_EQ(dipoleOrigin(), "-1");
}
