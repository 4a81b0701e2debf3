// The spectrum window's range, labels and clicks, against values worked out
// by hand.

#include <gtest/gtest.h>

#include <cmath>

#include "ir/SpectrumView.h"

namespace kalviro {
namespace {

std::vector<ModeStick> at(std::initializer_list<double> wavenumbers) {
    std::vector<ModeStick> s;
    for (double x : wavenumbers)
        s.push_back({static_cast<int>(s.size()), x, 1.0, ""});
    return s;
}

TEST(SpectrumView, FullRangeAddsFivePercentAndRoundsOutToHundreds) {
    const struct {
        std::vector<ModeStick> sticks;
        double factor, shift, from, to;
    } cases[] = {
        {at({1200, 2028, 3232}), 1, 0, 1000, 3400},    // 1098.4 .. 3333.6
        {at({1200, 2028, 3232}), 0.96, 0, 1000, 3300}, // 1054.5 .. 3200.3
        {at({1000}), 1, 20, 1000, 1100},               // one line: a hundred above it
        {at({50, 300}), 1, 0, 0, 400},                 // never below 0
        {at({1000}), 1, -3000, 600, 1499},             // nothing above 0: the default
        {{}, 1, 0, 600, 1499},
    };
    for (const auto& c : cases) {
        BroadeningSettings b;
        b.factor = c.factor;
        b.shift = c.shift;
        b.grid.step = 0.5;
        const SpectrumGrid g = fullRange(c.sticks, b);
        EXPECT_EQ(g.from, c.from) << c.factor << " " << c.shift;
        EXPECT_EQ(g.to, c.to) << c.factor << " " << c.shift;
        EXPECT_EQ(g.step, 0.5); // the user's step stays
    }
}

TEST(SpectrumView, LabelsGoToTheTallestPeaksInView) {
    std::vector<ModeStick> s = at({700, 1000, 1500, 2500, 900});
    const double heights[] = {5, 50, 20, 60, 1};
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i].height = heights[i];
    BroadeningSettings b;
    b.grid = {600, 2000, 1};
    EXPECT_EQ(labelledPeaks(s, b, 2), (std::vector<std::size_t>{1, 2})); // 2500 is out of view
    EXPECT_EQ(labelledPeaks(s, b, 9), (std::vector<std::size_t>{1, 2, 0, 4}));
    b.factor = 0.5; // 350, 500, 750, 1250, 450: two in view
    EXPECT_EQ(labelledPeaks(s, b, 9), (std::vector<std::size_t>{3, 2}));

    s[1].species = "B1";
    b.shift = 10;
    EXPECT_EQ(peakLabel(s[1], b), "510 B1");
    EXPECT_EQ(peakLabel(s[4], b), "460");
}

TEST(SpectrumView, AClickMeansTheNearestStickWithinTheTolerance) {
    std::vector<ModeStick> s = {{3, 1000, 1, ""}, {4, 1004, 5, ""}, {7, 1500, 1, ""}};
    BroadeningSettings b;
    EXPECT_EQ(modeNear(s, b, 1001, 5), 3);
    EXPECT_EQ(modeNear(s, b, 1002, 5), 4); // equally near: the taller
    EXPECT_EQ(modeNear(s, b, 1490, 5), std::nullopt);
    b.factor = 2;
    b.shift = -100;
    EXPECT_EQ(modeNear(s, b, 2901, 5), 7); // 2 x 1500 - 100
}

TEST(SpectrumView, SticksOfTheModesAboveZero) {
    VibrationStore v;
    v.frequencies = {"-100.0", "1000.0", "2000.0"};
    v.intensities = {"1", "10", "20"};
    v.symmetries = {"A1", "B1", "B2"};
    v.intensityToKmPerMol = 2;
    const auto ir = modeSticks(v, false);
    ASSERT_EQ(ir.size(), 2u);
    EXPECT_EQ(ir[0].mode, 1);
    EXPECT_EQ(ir[1].height, 40);
    EXPECT_EQ(ir[1].species, "B2");

    // Raman: S (nu0 - nu)^4 / (nu (1 - exp(-hc nu / kT))), largest 1.
    v.ramanActivities = {"9", "4", "2"};
    const auto raman = modeSticks(v, true);
    auto intensity = [](double s, double nu) {
        const double c2 = 1.438776877; // h c / k in cm K
        return s * std::pow(18797 - nu, 4) / (nu * (1 - std::exp(-c2 * nu / 298.15)));
    };
    EXPECT_NEAR(raman[0].height, 1, 1e-12);
    EXPECT_NEAR(raman[1].height, intensity(2, 2000) / intensity(4, 1000), 1e-9);
}

TEST(SpectrumView, FieldsAreWholeFiniteNumbers) {
    EXPECT_EQ(fieldNumber(" 12.5 "), 12.5);
    EXPECT_EQ(fieldNumber("1e3"), 1000);
    for (const char* bad : {"", " ", "abc", "12x", "1 2", "inf", "nan"})
        EXPECT_EQ(fieldNumber(bad), std::nullopt) << bad;
}

} // namespace
} // namespace kalviro
