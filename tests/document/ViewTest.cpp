#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "document/Document.h"
#include "document/ViewFit.h"
#include "document/ViewSettings.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

const double kTan = std::tan(22.5 * std::acos(-1.0) / 180.0);

// Balls of radius 0.5 at x = 1 +- 2: a pan of -1 centres them, and their half
// extent 2.5 fills 0.8 of the half height at 2.5 / (0.8 tan 22.5); a view half
// as wide as high needs twice that, a pair 1 nearer the eye 1 more.
TEST(ViewFitTest, CentresAndFillsTheShorterSide) {
    const struct {
        double aspect, z, eye;
    } cases[] = {{1.0, 0, 2.5 / (0.8 * kTan)}, {2.0, 0, 2.5 / (0.8 * kTan)},
                 {0.5, 0, 2.5 / (0.4 * kTan)}, {1.0, 1, 1 + 2.5 / (0.8 * kTan)}};
    for (const auto& c : cases) {
        const CameraFit fit = fitCamera({{{-1, 0, c.z}, 0.5}, {{3, 0, c.z}, 0.5}}, c.aspect);
        EXPECT_NEAR(fit.panX, -1.0, 1e-6);
        EXPECT_NEAR(fit.eyeDistance, c.eye, 1e-4) << c.aspect;
    }
    EXPECT_EQ(fitCamera({{{NAN, 0, 0}, 1}}, 1.0).eyeDistance, 20.0f);

    // Shown arrows count: the moving carbon's tip lies 0.5 + 0.3 along +x.
    Document doc;
    doc.molecule.atoms = {test::atomAt("C", 0, 0, 0), test::atomAt("O", 0, 1.2, 0)};
    doc.vibrations.modes = {{{1, 0, 0}, {0, 0, 0}}};
    doc.view.modesShown = true;
    const std::vector<Ball> balls = drawnBalls(doc);
    ASSERT_EQ(balls.size(), 3u);
    EXPECT_NEAR(balls[2].centre.x, 0.8, 1e-9);

    // So does the dipole arrow: from atom 2 (typed "2"), 3 + 0.8 along -y
    // (the sign flips it).
    doc.view.dipoleShown = true;
    doc.view.vectorSign = -1;
    doc.vibrations.dipoleDerivatives = {{0, 2, 0}};
    doc.vibrations.intensities = {"4.0"};
    doc.scene.dipoleOrigin = "2";
    const std::vector<Ball> withDipole = drawnBalls(doc);
    ASSERT_EQ(withDipole.size(), 5u);
    EXPECT_NEAR(withDipole[4].centre.y, 1.2 - 3.8, 1e-9);
    EXPECT_NEAR(withDipole[4].centre.x, 0.0, 1e-9);
    EXPECT_NEAR(withDipole[3].centre.y, 1.2, 1e-9); // the shaft's start
}

// Picks in order: values worked out from the geometry by hand.
TEST(MeasurementTest, DistanceAngleAndDihedralOfThePicks) {
    const double pi = std::acos(-1.0), phi = 104.5 * pi / 180;
    std::vector<Atom> atoms = {test::atomAt("O", 0, 0, 0), test::atomAt("H", 0.96, 0, 0),
                               test::atomAt("H", 0.96 * std::cos(phi), 0.96 * std::sin(phi), 0),
                               test::atomAt("C", 0, 0, 1.5),
                               test::atomAt("C", std::cos(pi / 3), std::sin(pi / 3), 1.5),
                               test::atomAt("C", std::cos(-2 * pi / 3), std::sin(-2 * pi / 3), 1.5)};
    const struct {
        std::vector<int> picks;
        int atoms;
        double value;
        const char* text;
    } cases[] = {
        {{1, 2}, 2, 0.96, "距離 1-2: 0.9600 Å"},
        {{2, 1, 3}, 3, 104.5, "角度 2-1-3: 104.50°"},
        {{2, 1, 4, 5}, 4, 60.0, "二面角 2-1-4-5: 60.00°"},
        {{2, 1, 4, 6}, 4, -120.0, nullptr},
        {{2, 9}, 0, 0.0, ""}, // an atom of a molecule since replaced
    };
    for (const auto& c : cases) {
        PickedAtoms p;
        for (int n : c.picks)
            p.slots[p.count++] = n;
        const Measurement m = measurePicked(p, atoms);
        EXPECT_EQ(m.atoms, c.atoms);
        EXPECT_NEAR(m.value, c.value, 1e-9) << c.picks.size();
        if (c.text) {
            EXPECT_EQ(measurementText(p, atoms), c.text);
        }
    }
}

// Each step scales the eye distance, its offsets and the axes by 1 / 1.2 in
// or 1.2 out, four steps each way from where the counter started.
TEST(Zoom, FourStepsEachWayThenNothing) {
    for (const auto& [direction, factor] : {std::pair{0, 1 / 1.2}, std::pair{1, 1.2}}) {
        ViewSettings s;
        s.eyeX = 1.2f;
        ZoomCounter z;
        for (int k = 1; k <= 6; ++k) {
            z.zoom(direction, s);
            const double f = std::pow(factor, std::min(k, 4));
            EXPECT_NEAR(s.eyeDistance, 20 * f, 1e-4) << direction << " step " << k;
            EXPECT_NEAR(s.eyeX, 1.2 * f, 1e-5) << direction << " step " << k;
            EXPECT_NEAR(s.axisLength, 7 * f, 1e-5) << direction << " step " << k;
        }
        z.zoom(7, s); // not a direction
        EXPECT_EQ(z.level, direction == 0 ? 4 : -4);
    }
    // A load resets the eye but not the counter: two steps in, then two more.
    ViewSettings s;
    ZoomCounter z;
    z.zoom(0, s);
    z.zoom(0, s);
    s.eyeDistance = 20.0f;
    for (int k = 0; k < 6; ++k)
        z.zoom(0, s);
    EXPECT_NEAR(s.eyeDistance, 20 / 1.44, 1e-4);
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

} // namespace
} // namespace kalviro
