// Line shapes, grids, scaling and Raman intensities against values worked
// out here from the formulas.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "ir/SpectrumEngine.h"

namespace kalviro {
namespace {

double at(const SpectrumCurve& c, double x) {
    for (std::size_t j = 0; j < c.x.size(); ++j)
        if (std::abs(c.x[j] - x) < 1e-9)
            return c.y[j];
    ADD_FAILURE() << "no grid point at " << x;
    return NAN;
}

// A line of height 2 on the grid 600 .. 700 step 1, looked at on one point.
TEST(SpectrumEngineTest, LineShapesFollowTheFormulas) {
    constexpr auto L = LineShape::Lorentzian, G = LineShape::Gaussian, V = LineShape::PseudoVoigt;
    const double ln2 = std::log(2.0);
    const struct {
        LineShape shape;
        double eta, centre, width, probe, expected;
    } cases[] = {
        // Exactly on a grid point: the full height, half of it at w/2.
        {L, 0, 650, 4, 650, 2.0}, {L, 0, 650, 4, 652, 1.0},
        {L, 0, 650, 4, 662, 2.0 / (1 + 4 * 144 / 16.0)},
        {G, 0, 650, 4, 650, 2.0}, {G, 0, 650, 4, 648, 1.0},
        {G, 0, 650, 4, 659, 2.0 * std::exp(-4 * ln2 * 81 / 16.0)},
        // Exactly between two grid points, w = 1: both neighbours at half height.
        {L, 0, 650.5, 1, 650, 1.0}, {L, 0, 650.5, 1, 651, 1.0}, {G, 0, 650.5, 1, 651, 1.0},
        {G, 0, 650.5, 1, 652, 2.0 * std::exp(-4 * ln2 * 2.25)},
        {V, 0.3, 650, 4, 652, 1.0}, {V, 0.3, 650, 4, 654, 0.3 * 2 / 5.0 + 0.7 * 2 / 16.0},
        {V, 0.0, 650, 4, 654, 2 / 16.0}, {V, 1.0, 650, 4, 654, 2 / 5.0},
        // Gaussian window: 2.5 w is kept (2.9e-8 of the peak), 3 w is below 1e-9.
        {G, 0, 650, 4, 660, 2.0 * std::exp(-4 * ln2 * 6.25)}, {G, 0, 650, 4, 662, 0.0},
        // Lorentzian window of about 500 w: kept at 50 w, dropped at 600 w.
        {L, 0, 600, 0.1, 605, 2.0 / (1 + 4 * 25 / 0.01)}, {L, 0, 600, 0.1, 661, 0.0},
    };
    for (const auto& c : cases) {
        BroadeningSettings s;
        s.grid = {600, 700, 1};
        s.shape = c.shape;
        s.eta = c.eta;
        s.width = c.width;
        auto curve = broadenSticks(std::vector<Stick>{{c.centre, 2.0}}, s);
        ASSERT_TRUE(curve) << curve.error();
        EXPECT_NEAR(at(*curve, c.probe), c.expected, 1e-12)
            << static_cast<int>(c.shape) << ": w " << c.width << " at " << c.centre << ", seen at "
            << c.probe;
    }
}

TEST(SpectrumEngineTest, SumsLinesAndScalesCentres) {
    BroadeningSettings s;
    s.grid = {900, 1100, 0.5};
    s.width = 10;
    s.factor = 0.96;
    s.shift = 10; // 1000 -> 970, 1050 -> 1018
    const std::vector<Stick> sticks{{1000, 3}, {1050, 1}, {-200, 100}, {0, 100}};
    auto curve = broadenSticks(sticks, s);
    ASSERT_TRUE(curve) << curve.error();
    ASSERT_EQ(curve->x.size(), 401u);
    EXPECT_DOUBLE_EQ(curve->x.front(), 900);
    EXPECT_DOUBLE_EQ(curve->x.back(), 1100);
    auto lorentz = [](double h, double d) { return h / (1 + 4 * d * d / 100); };
    for (double x : {900.0, 965.5, 970.0, 994.0, 1018.0, 1100.0})
        EXPECT_NEAR(at(*curve, x), lorentz(3, x - 970) + lorentz(1, x - 1018), 1e-12) << x;
}

TEST(SpectrumEngineTest, GridPointCountsAndEnds) {
    const std::tuple<SpectrumGrid, std::size_t, double> cases[] = {
        {{600, 1499, 1}, 900, 1499}, {{600, 1499, 0.1}, 8991, 1499}, {{400, 401, 0.3}, 4, 400.9},
        {{0, 1e6 - 1, 1}, 1000000, 1e6 - 1}};
    for (const auto& [grid, points, last] : cases) {
        auto x = gridPoints(grid);
        ASSERT_TRUE(x) << x.error();
        EXPECT_EQ(x->size(), points);
        EXPECT_NEAR(x->back(), last, 1e-9);
    }
}

TEST(SpectrumEngineTest, RefusesUnusableSettings) {
    std::vector<BroadeningSettings> bad(7);
    bad[0].grid = {1000, 1000, 1};
    bad[1].grid = {1000, 600, 1};
    bad[2].grid = {600, 1000, 0};
    bad[3].grid = {0, 1e6, 1}; // 10^6 + 1 points
    bad[4].width = 0;
    bad[5].shape = LineShape::PseudoVoigt;
    bad[5].eta = 1.5;
    bad[6].factor = NAN;
    const std::vector<Stick> sticks{{1000, 1}};
    for (std::size_t i = 0; i < bad.size(); ++i) {
        auto r = broadenSticks(sticks, bad[i]);
        EXPECT_FALSE(r) << i;
        EXPECT_FALSE(r.error().empty()) << i;
    }
}

TEST(RamanSticksTest, TwoModesByHand) {
    // I = S (nu0 - nu)^4 / (nu (1 - exp(-c2 nu / T))), c2 = h c / k = 1.438776877 cm K;
    // (c2 rounded to ten digits: agreement to 1e-9)
    // 10 at 1000 cm-1: 1.011311071235820e15, 50 at 3000 cm-1: 1.037880724522379e15.
    const std::vector<double> nu{1000, -50, 3000};
    const std::vector<double> activity{10, 99, 50};
    auto r = ramanSticks(nu, activity);
    ASSERT_TRUE(r) << r.error();
    ASSERT_EQ(r->size(), 2u);
    EXPECT_EQ((*r)[0].wavenumber, 1000);
    EXPECT_NEAR((*r)[0].intensity, 1.011311071235820 / 1.037880724522379, 1e-9);
    EXPECT_NEAR((*r)[1].intensity, 1.0, 1e-15);

    // At 77 K the 100 cm-1 mode's thermal factor dominates.
    auto cold = ramanSticks(std::vector<double>{100, 3000}, std::vector<double>{10, 50},
                            RamanSettings{18797, 77});
    ASSERT_TRUE(cold);
    EXPECT_NEAR((*cold)[0].intensity, 1.0, 1e-15);
    EXPECT_NEAR((*cold)[1].intensity, 0.07182090386725658, 1e-9);

    // Activities as printed: no conversion, no normalising, nu <= 0 still out.
    auto printed = ramanSticks(nu, activity, RamanSettings{18797, 298.15, true});
    ASSERT_TRUE(printed);
    ASSERT_EQ(printed->size(), 2u);
    EXPECT_EQ((*printed)[0].intensity, 10);
    EXPECT_EQ((*printed)[1].intensity, 50);

    EXPECT_FALSE(ramanSticks(nu, activity, RamanSettings{18797, 0}));
    EXPECT_FALSE(ramanSticks(nu, activity, RamanSettings{-1, 300}));
    EXPECT_FALSE(ramanSticks(nu, std::vector<double>{1}));
}

} // namespace
} // namespace kalviro
