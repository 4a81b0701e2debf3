// Frames on a real GL context. Expected pixel positions follow from the
// camera: the model centre is 20 units from the eye, the half field of view
// is 22.5 degrees, so in a 201-pixel view one unit at the model depth spans
// 100.5 / (20 tan 22.5) = 12.13 pixels from the centre column 100.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "GlHarness.h"
#include "model/VibrationStore.h"
#include "render/Geometry.h"
#include "render/HiddenBondTubes.h"
#include "document/PickedAtoms.h"
#include "render/Picking.h"
#include "document/SceneChoices.h"

namespace kalviro {
namespace {

using test::GlFrameTest;
using test::Rgb;

bool greenest(Rgb c) { return c.g > c.r + 30 && c.g > c.b + 30; }
bool reddest(Rgb c) { return c.r > c.g + 30 && c.r > c.b + 30; }
bool bluest(Rgb c) { return c.b > c.r + 30 && c.b > c.g + 30; }

TEST_F(GlFrameTest, BackgroundBlackOrWhite) {
    for (int white : {0, 1}) {
        doc.view.whiteBackground = white;
        render();
        for (auto [x, y] : {std::pair{0, 0}, {100, 100}, {200, 200}}) {
            const Rgb c = at(x, y);
            EXPECT_EQ(c.r + c.g + c.b, white * 3 * 255) << x << "," << y;
        }
    }
}

// The front pole of a sphere of radius 0.5 at the centre faces the eye
// (normal +z, at z = -4). Only light 0 reaches it: L = (0, 20, 9.5)/22.14,
// N.L = 0.4291. Colour = 0.2 global ambient x Ka + 3 x 0.3 x Ka
// + 0.4 x N.L x Kd; specular (N.H)^50 = 0.0002 is negligible.
// Blue material Ka (0.05, 0.05, 0.7), Kd (0.3, 0.3, 0.5):
// R = G = 0.1065 -> 27, B = 0.8558 -> 218.
// (Display lists on; DisplayListsDrawTheSamePicture holds the other way to it.)
TEST_F(GlFrameTest, CentreShowsTheLitBlueMaterial) {
    placeAtoms({{6, {0, 0, 0}}});
    doc.molecule.atoms[0].radius = 1.0; // drawn at half: 0.5
    render();
    const Rgb c = at(100, 100);
    EXPECT_NEAR(c.r, 27, 3);
    EXPECT_NEAR(c.g, 27, 3);
    EXPECT_NEAR(c.b, 218, 3);
}

// Eye distance 10: one unit spans 24.3 pixels. Carbons at x = +-0.7 are
// bonded; their spheres (0.38) reach x = -1.08, the joints (0.24) -0.94.
// Column 79 sees x = -0.85 (joint only), column 75 x = -1.01 (sphere only).
// Hidden atoms, and any frame while the mouse rotates, leave the joints.
TEST_F(GlFrameTest, HiddenAtomsAndRotatingLeaveJointSpheres) {
    doc.view.eyeDistance = 10.0f;
    placeAtoms({{6, {-0.7, 0, 0}}, {6, {0.7, 0, 0}}});
    render();
    EXPECT_TRUE(bluest(at(75, 100)));

    for (bool rotating : {false, true}) {
        doc.view.atomsShown = rotating;
        doc.molecule.drag.rotating = rotating;
        render();
        EXPECT_FALSE(isBlack(79, 100)) << rotating;
        EXPECT_TRUE(isBlack(75, 100)) << rotating;
    }

    // An atom without bonds has no joint.
    doc.molecule.drag.rotating = 0;
    doc.view.atomsShown = 0;
    placeAtoms({{6, {0, 0, 0}}});
    render();
    EXPECT_TRUE(isBlack(100, 100));
}

// Axes of half length 7 at the model depth: ends 7 x 12.13 = 84.9 pixels
// from the centre; the +z end (blue) sits in front of the centre.
TEST_F(GlFrameTest, AxesWhereTheCameraPutsThem) {
    doc.view.axesShown = 1;
    render();
    EXPECT_TRUE(greenest(at(185, 100)) && greenest(at(16, 100)));
    EXPECT_TRUE(reddest(at(100, 185)));
    EXPECT_TRUE(bluest(at(100, 100)));
    EXPECT_FALSE(isBlack(136, 100)); // on the X line
    EXPECT_TRUE(isBlack(136, 120));
}

// The surface lies at y = -7: at the model depth that is row
// 100.5 - 84.9 = 15.6. The blue Z line runs through column 100, the green
// X line along that row; the grid line z = -3 lies 23 units away, at row
// 100.5 - 7 x 100.5 / (23 tan 22.5) = 26.6.
TEST_F(GlFrameTest, SurfaceWhereTheCameraPutsIt) {
    render();
    EXPECT_TRUE(isBlack(100, 15));
    EXPECT_TRUE(isBlack(130, 15));

    doc.view.surfaceShown = 1;
    render();
    EXPECT_TRUE(bluest(at(100, 15)));
    EXPECT_TRUE(greenest(at(130, 15)));
    EXPECT_TRUE(!isBlack(60, 26) || !isBlack(60, 27));
    EXPECT_TRUE(isBlack(60, 40));
}

// Carbon at x = -2 (column 76), oxygen at x = 2 (column 124.8), no bond
// between them; the X axis line runs through both, unnamed and drawn first.
TEST_F(GlFrameTest, ClickPicksTheAtomUnderTheCursor) {
    doc.view.axesShown = 1;
    placeAtoms({{6, {-2, 0, 0}}, {8, {2, 0, 0}}});
    // The oxygen, the carbon, then empty space, which clears both.
    const struct {
        int x, y, count, slot0, slot1, selected0, selected1;
    } clicks[] = {{124, 100, 1, 2, 0, 0, 1}, {76, 100, 2, 2, 1, 1, 1}, {20, 20, 0, 0, 0, 0, 0}};
    for (const auto& c : clicks) {
        drawFrame(*surface_, doc);
        selectAt(doc, c.x, c.y);
        const std::vector<int> got = {doc.picked.count, doc.picked.slots[0], doc.picked.slots[1],
                                      doc.molecule.atoms[0].selected, doc.molecule.atoms[1].selected};
        EXPECT_EQ(got, (std::vector<int>{c.count, c.slot0, c.slot1, c.selected0, c.selected1})) << c.x;
    }
}

// A carbon at x = 3 (column 136.9) turns a quarter about the vertical line
// through the model centre and lands in front of it, 3 units deeper.
TEST_F(GlFrameTest, ViewpointModeTurnsTheSceneNotTheCoordinates) {
    placeAtoms({{6, {3, 0, 0}}});
    render();
    EXPECT_TRUE(bluest(at(136, 100)));
    EXPECT_TRUE(isBlack(100, 100));

    MoleculeState& m = doc.molecule;
    m.viewValue = 33.0f; // the switch starts the viewpoint afresh
    toggleViewpointMode(doc.view, m);
    m.pendingRotationY = 90.0f;
    render();
    EXPECT_TRUE(bluest(at(100, 100)));
    EXPECT_TRUE(isBlack(136, 100));
    EXPECT_EQ(std::tuple(m.atoms[0].x, m.viewValue, m.rotationY), std::tuple(3.0, 90.0f, 90.0f));

    // The next frame starts from a fresh matrix: still a quarter turn, and a
    // click at the centre finds the atom there (not turned twice).
    render();
    EXPECT_TRUE(bluest(at(100, 100)));
    selectAt(doc, 100, 100);
    EXPECT_EQ(doc.picked.slots[0], 1);
}

// A dipole arrow along +y from the origin covers column 100 at y = 2
// (row 124.8); from the carbon at x = 3 it covers column 136.9 instead.
TEST_F(GlFrameTest, DipoleArrowStartsAtTheTypedAtomOrTheOrigin) {
    placeAtoms({{6, {3, 0, 0}}});
    VibrationStore& v = doc.vibrations;
    v.intensities = {"26.6041"};
    v.dipoleDerivatives = {{0, 0.2857, 0}};
    doc.view.dipoleShown = 1;
    const struct {
        const char* origin;
        int column;
    } cases[] = {{"1", 136}, {"-1", 100},  {"0", 100},
                 {"2", 100}, {"abc", 100}, {"99999999999999999999", 100}};
    for (const auto& c : cases) {
        doc.scene.dipoleOrigin = c.origin;
        render();
        EXPECT_TRUE(greenest(at(c.column, 124))) << c.origin;
        EXPECT_TRUE(isBlack(236 - c.column, 124)) << c.origin;
    }
}

// The compiled solids draw the same picture as drawing them anew.
TEST_F(GlFrameTest, DisplayListsDrawTheSamePicture) {
    placeAtoms({{8, {0, 0, 0.117}}, {1, {0, 0.757, -0.468}}, {1, {0, -0.757, -0.468}},
                {6, {-1.2, 0.3, 0.2}}});
    doc.vibrations.intensities = {"17.09"};
    doc.vibrations.dipoleDerivatives = {{0.1, 0.2, -0.23}};
    doc.vibrations.modes = {{{0, 0, 0.07}, {0, 0.42, -0.56}, {0, -0.42, -0.56}, {0.3, 0, 0}}};
    ViewSettings& s = doc.view;
    s.eyeDistance = 10.0f;
    s.modesShown = s.dipoleShown = s.axesShown = s.surfaceShown = 1;
    setGeometryLists(false);
    render();
    const std::vector<unsigned char> anew = pixels_;
    setGeometryLists(true);
    render();
    int worst = 0;
    for (std::size_t i = 0; i < anew.size(); ++i)
        worst = std::max(worst, std::abs(anew[i] - pixels_[i]));
    EXPECT_LE(worst, 2);
}

// Leaving out the second tube of a heavy-heavy bond and culling the inner
// faces of enclosed tubes changes no more than the odd edge pixel where the
// two coinciding tubes tied on depth, in every style; a tube wrongly left out
// or an open end wrongly culled would change whole runs of pixels.
TEST_F(GlFrameTest, SkippingHiddenTubesKeepsThePicture) {
    // A tilted ring of carbons with hydrogens, one C-H bond pointing at the eye.
    placeAtoms({{6, {-0.7, -0.6, 0.3}}, {6, {0.7, -0.6, -0.3}}, {6, {1.2, 0.6, 0.2}},
                {6, {-0.2, 1.1, -0.2}}, {1, {-1.5, -1.2, 0.8}}, {1, {1.2, -1.4, -0.9}},
                {1, {-0.2, 1.1, 0.9}}});
    perceiveBonds(doc.molecule);
    struct Style {
        const char* name;
        bool shown, solid, blendBonds, blendAll;
        float scale;
    };
    const Style styles[] = {
        {"solid", 1, 1, 0, 0, 0.5f},       {"wire", 1, 0, 0, 0, 0.5f},
        {"joints", 0, 1, 0, 0, 0.5f},      {"small", 1, 1, 0, 0, 0.1f},
        {"glass bonds", 1, 1, 1, 0, 0.5f}, {"all glass", 1, 1, 0, 1, 0.5f},
    };
    for (const Style& st : styles) {
        doc.view = ViewSettings(); doc.zoom = ZoomCounter();
        ViewSettings& s = doc.view;
        s.eyeDistance = 8.0f;
        std::tie(s.atomsShown, s.atomsSolid, s.blendBonds, s.blendAll, s.atomScale) =
            std::tuple(st.shown, st.solid, st.blendBonds, st.blendAll, st.scale);
        s.hiddenTubesSkipped = false;
        render();
        const std::vector<unsigned char> full = pixels_;
        s.hiddenTubesSkipped = true;
        render();
        int changed = 0, lit = 0;
        for (std::size_t i = 0; i < full.size(); i += 3) {
            int worst = 0;
            for (std::size_t k = i; k < i + 3; ++k)
                worst = std::max(worst, std::abs(full[k] - pixels_[k]));
            changed += worst > 2;
            lit += full[i] + full[i + 1] + full[i + 2] > 0;
        }
        EXPECT_GT(lit, 1000) << st.name;
        EXPECT_LE(changed, 12) << st.name << ": " << changed << " of " << lit << " lit pixels";
    }
}

// Atom numbers in a colour that reads on the background: (0.1, 0.1, 0.45)
// on white, (1, 1, 0.6) on black, unlit.
TEST_F(GlFrameTest, AtomNumbersReadOnEitherBackground) {
    placeAtoms({{8, {0, 0, 0}}});
    doc.view.numbersShown = 1;
    for (const bool white : {true, false}) {
        doc.view.whiteBackground = white;
        render();
        const Rgb want = white ? Rgb{26, 26, 115} : Rgb{255, 255, 153};
        int label = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const Rgb c = at(x, y);
                label += std::abs(c.r - want.r) + std::abs(c.g - want.g) + std::abs(c.b - want.b) < 6;
            }
        EXPECT_GT(label, 10) << (white ? "white" : "black");
    }
}

// Items that name a mode, atom or derivative that is not there draw nothing.
TEST_F(GlFrameTest, MissingVibrationDataDrawsNothingExtra) {
    placeAtoms({{8, {0, 0, 0}}, {1, {0, 0.757, -0.468}}, {1, {0, -0.757, -0.468}}});
    render();
    const std::vector<unsigned char> plain = pixels_;

    VibrationStore& v = doc.vibrations;
    v.intensities = {"17.09", "4.56"};
    v.dipoleDerivatives = {{0, 0, 0}, {0, 0, 0.2}}; // zero with an intensity
    v.modes = {{{0, 0, 0.07}}, {}};                 // fewer vectors than atoms
    ViewSettings& s = doc.view;
    s.modesShown = 1;
    s.dipoleShown = 1;
    for (int mode : {0, 1, 7, -3}) {
        doc.scene.selectedMode = mode;
        render();
        // Mode 0: only the oxygen has a vector, and the arrow; mode 1: its arrow.
        if (mode == 0 || mode == 1)
            EXPECT_NE(pixels_, plain) << mode;
        else
            EXPECT_EQ(pixels_, plain) << mode;
    }
}

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
