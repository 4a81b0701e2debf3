#include <gtest/gtest.h>

#include <string>
#include <typeindex>
#include <vector>

#include "model/MoleculeState.h"
#include "document/OrbitalFlags.h"
#include "render/AnnotationDrawers.h"
#include "render/MoleculeDrawers.h"
#include "render/SceneRunner.h"
#include "document/ViewSettings.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using Kinds = std::vector<std::type_index>;

const std::type_index N = typeid(NullDrawer);
const std::type_index Clear = typeid(ClearDrawer);
const std::type_index Angles = typeid(AngleLabelDrawer);
const std::type_index Rot = typeid(RotationDrawer);
const std::type_index Bonds = typeid(BondPerceptionDrawer);
const std::type_index Acc = typeid(RotationAccumulator);
const std::type_index Dipole = typeid(DipoleDrawer);
const std::type_index Axes = typeid(AxesDrawer);
const std::type_index Surface = typeid(SurfaceDrawer);
const std::type_index Atoms = typeid(AtomDrawer);
const std::type_index Bond = typeid(BondDrawer);
const std::type_index Modes = typeid(ModeVectorDrawer);
const std::type_index Numbers = typeid(AtomNumberDrawer);
const std::type_index Orbital = typeid(OrbitalDrawer);

struct StageCase {
    std::string name;
    Flag switches; // written to every optional switch
    Flag atomsShown;
    std::uint8_t rotating;
    std::uint8_t orbitalShown;
    Kinds expected;
};

class RenderStagesTest : public test::ProcessStateTest,
                         public ::testing::WithParamInterface<StageCase> {};

TEST_P(RenderStagesTest, ListFollowsSwitchesAndRightButton) {
    const StageCase& c = GetParam();
    ViewSettings& s = viewSettings();
    s.anglesShown = s.dipoleShown = s.axesShown = s.surfaceShown = c.switches;
    s.modesShown = s.numbersShown = c.switches;
    s.atomsShown = c.atomsShown;
    moleculeState().drag.rotating = c.rotating;
    orbitalFlags().orbitalShown = c.orbitalShown;

    auto list = buildSceneList();
    Kinds got;
    for (const auto& d : list) {
        ASSERT_NE(d, nullptr);
        got.emplace_back(typeid(*d));
    }
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, RenderStagesTest,
    ::testing::Values(
        StageCase{
            "Defaults", 0, 1, 0, 0, {Clear, N, Rot, Bonds, Acc, N, N, N, Atoms, Bond, N, N, N}},
        StageCase{"EverythingOn",
                  1,
                  1,
                  0,
                  1,
                  {Clear, Angles, Rot, Bonds, Acc, Dipole, Axes, Surface, Atoms, Bond, Modes,
                   Numbers, Orbital}},
        // Rotating keeps only what is cheap: labels, axes, surface, bond lines.
        StageCase{"EverythingOnRotating",
                  1,
                  1,
                  1,
                  1,
                  {Clear, Angles, Rot, Bonds, Acc, N, Axes, Surface, N, Bond, N, N, N}},
        StageCase{"AnyNonZeroButtonStateRotates",
                  1,
                  1,
                  2,
                  1,
                  {Clear, Angles, Rot, Bonds, Acc, N, Axes, Surface, N, Bond, N, N, N}},
        StageCase{
            "AtomsHidden", 0, 0, 0, 0, {Clear, N, Rot, Bonds, Acc, N, N, N, N, Bond, N, N, N}},
        // Switches are compared with 1: a stray 2 counts as off.
        StageCase{"SwitchesHoldingTwo",
                  2,
                  2,
                  0,
                  2,
                  {Clear, N, Rot, Bonds, Acc, N, N, N, N, Bond, N, N, N}}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace kalviro
