#include <gtest/gtest.h>

#include <cmath>

#include "document/Document.h"
#include "document/PickedAtoms.h"
#include "document/ViewFit.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

const double kTan = std::tan(22.5 * std::acos(-1.0) / 180.0);

// Two balls of radius 0.5 at x = 1 +- 2 (z = 0): centred by a pan of -1, and
// their half extent 2.5 fills 0.8 of the half height at 2.5 / (0.8 tan 22.5).
// A view half as wide as high needs twice the distance; a ball in front
// (z = 1) brings the eye closer to it, so the eye moves back by 1.
TEST(ViewFitTest, CentresAndFillsTheShorterSide) {
    const std::vector<Ball> pair = {{{-1, 0, 0}, 0.5}, {{3, 0, 0}, 0.5}};
    const struct {
        double aspect;
        double zShift;
        double eye;
    } cases[] = {{1.0, 0, 2.5 / (0.8 * kTan)},
                 {2.0, 0, 2.5 / (0.8 * kTan)},
                 {0.5, 0, 2.5 / (0.4 * kTan)},
                 {1.0, 1, 1 + 2.5 / (0.8 * kTan)}};
    for (const auto& c : cases) {
        std::vector<Ball> balls = pair;
        for (Ball& b : balls)
            b.centre.z += c.zShift;
        const CameraFit fit = fitCamera(balls, c.aspect);
        EXPECT_NEAR(fit.panX, -1.0, 1e-6) << c.aspect;
        EXPECT_NEAR(fit.panY, 0.0, 1e-6);
        EXPECT_NEAR(fit.eyeDistance, c.eye, 1e-4) << c.aspect;
    }
    EXPECT_EQ(fitCamera({}, 1.0).eyeDistance, 20.0f);
    EXPECT_EQ(fitCamera({{{NAN, 0, 0}, 1}}, 1.0).eyeDistance, 20.0f);
}

TEST(ViewFitTest, ArrowTipsCountWhenShownAndTheFitNeverTurns) {
    Document doc;
    doc.molecule.atoms = {test::atomAt("C", 0, 0, 0), test::atomAt("O", 0, 1.2, 0)};
    doc.vibrations.modes = {{{1, 0, 0}, {0, 0, 0}}};
    EXPECT_EQ(drawnBalls(doc).size(), 2u);
    doc.view.modesShown = true;
    const std::vector<Ball> balls = drawnBalls(doc);
    ASSERT_EQ(balls.size(), 3u); // the still oxygen has no arrow
    EXPECT_NEAR(balls[2].centre.x, doc.view.vectorLength + 0.3, 1e-9);

    doc.zoom.level = 3;
    doc.view.fitPending = true;
    fitView(doc, 1.0);
    EXPECT_FALSE(doc.view.fitPending);
    EXPECT_EQ(doc.zoom.level, 0);
    EXPECT_EQ(doc.molecule.atoms[1].y, 1.2);
    EXPECT_EQ(doc.molecule.rotationX + doc.molecule.rotationY + doc.molecule.rotationZ, 0.0f);
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
        {{2, 3}, 2, 2 * 0.96 * std::sin(phi / 2), nullptr},
        {{2, 1, 3}, 3, 104.5, "角度 2-1-3: 104.50°"},
        {{2, 1, 4, 5}, 4, 60.0, "二面角 2-1-4-5: 60.00°"},
        {{2, 1, 4, 6}, 4, -120.0, nullptr},
        {{2}, 0, 0.0, ""},
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

} // namespace
} // namespace kalviro
