// Broadening and the plain spectrum, against Lorentzian values worked out by
// hand: with w = 2 a line of height I at grid point c gives I / ((j - c)^2 + 1).

#include <gtest/gtest.h>

#include <cmath>

#include "ir/SpectrumCalculator.h"

namespace kalviro {
namespace {

struct Mode {
    std::string wavenumber;
    Vector3 dipole;
};

VibrationStore storeWith(const std::vector<Mode>& modes) {
    VibrationStore s;
    for (const Mode& m : modes) {
        s.frequencies.push_back(m.wavenumber);
        s.dipoleDerivatives.push_back(m.dipole);
    }
    return s;
}

struct PointCase {
    friend void PrintTo(const PointCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    std::string wavenumber;
    Vector3 dipole;
    int w;
    int j; // grid index, 600 + j cm-1
    double expected;
};

class PlainSpectrumPoint : public ::testing::TestWithParam<PointCase> {};

TEST_P(PlainSpectrumPoint, MatchesTheLorentzianWorkedOutByHand) {
    const PointCase& c = GetParam();
    VibrationStore s = storeWith({{c.wavenumber, c.dipole}});
    float maximum = -1;
    SpectrumCalculator().compute(c.w, s, maximum);
    EXPECT_NEAR(s.spectra[0][c.j], c.expected, 1e-6 * std::max(1.0, c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Broadening, PlainSpectrumPoint,
    ::testing::Values(
        // The (3, 0, 4) mode at 1000 cm-1: stick 5, half height one cm-1 away.
        PointCase{"centre", "1000.0", {3, 0, 4}, 2, 400, 5.0},
        PointCase{"999", "1000.0", {3, 0, 4}, 2, 399, 2.5},
        PointCase{"1001", "1000.0", {3, 0, 4}, 2, 401, 2.5},
        PointCase{"998", "1000.0", {3, 0, 4}, 2, 398, 1.0},
        PointCase{"1002", "1000.0", {3, 0, 4}, 2, 402, 1.0},
        // Only w * w counts.
        PointCase{"negative width", "1000.0", {3, 0, 4}, -2, 401, 2.5},
        // w is the full width: half height w / 2 from the centre.
        PointCase{"width 4 at +2", "1000.0", {3, 0, 4}, 4, 402, 2.5},
        PointCase{"width 10 at +1", "1000.0", {3, 0, 4}, 10, 401, 5.0 / (4.0 / 100 + 1)},
        // The stick is the length of the vector, not its square.
        PointCase{"length", "700", {0, -2, 0}, 2, 100, 2.0},
        PointCase{"D exponent", "1.0D+03", {3, 0, 4}, 2, 400, 5.0},
        // Between grid points: d = 0.5 on both sides.
        PointCase{"1000.5 at 1000", "1000.5", {0, 0, 1}, 2, 400, 1 / 1.25},
        PointCase{"1000.5 at 1001", "1000.5", {0, 0, 1}, 2, 401, 1 / 1.25},
        PointCase{"1000.5 at 999", "1000.5", {0, 0, 1}, 2, 399, 1 / 3.25},
        // Outside the grid only the tail arrives.
        PointCase{"above", "2000", {3, 0, 4}, 2, 899, 5.0 / (501.0 * 501.0 + 1)},
        PointCase{"below", "500", {3, 0, 4}, 2, 0, 5.0 / (100.0 * 100.0 + 1)},
        // Text that does not start with a number is 0 cm-1.
        PointCase{"no number", "abc", {3, 0, 4}, 2, 0, 5.0 / (600.0 * 600.0 + 1)},
        // Width 0: the limit of an ever narrower line, never NaN.
        PointCase{"width 0 on the point", "1000", {3, 0, 4}, 0, 400, 5.0},
        PointCase{"width 0 beside", "1000", {3, 0, 4}, 0, 401, 0.0},
        PointCase{"width 0 off grid", "1000.5", {3, 0, 4}, 0, 400, 0.0}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST(PlainSpectrum, MaximumIsTheLargestStickAndIsResetFirst) {
    VibrationStore s = storeWith({{"900", {0, 1, 0}}, {"1000", {3, 0, 4}}, {"1100", {0, 0, 2}}});
    float maximum = 100;
    SpectrumCalculator().compute(2, s, maximum);
    EXPECT_FLOAT_EQ(maximum, 5.0f);
}

TEST(PlainSpectrum, HalfwayBetweenGridPointsPeaksOnBothNeighbours) {
    VibrationStore s = storeWith({{"1000.5", {0, 0, 1}}});
    float maximum = 0;
    SpectrumCalculator().compute(2, s, maximum);
    const auto& b = s.spectra[0];
    const auto top = std::max_element(b.begin(), b.end()) - b.begin();
    EXPECT_TRUE(top == 400 || top == 401);
    EXPECT_FLOAT_EQ(b[400], b[401]);
}

TEST(PlainSpectrum, NoDipoleDerivativesGiveZerosEverywhere) {
    VibrationStore s;
    s.frequencies = {"1000"};
    s.spectra[0].fill(3.0f); // an earlier calculation
    float maximum = 7;
    SpectrumCalculator().compute(2, s, maximum);
    EXPECT_EQ(maximum, 0.0f);
    for (float v : s.spectra[0])
        ASSERT_EQ(v, 0.0f);
}

TEST(PlainSpectrum, WritesOnlyBlockZero) {
    VibrationStore s = storeWith({{"1000", {3, 0, 4}}});
    for (int b = 1; b < kSpectrumBlocks; ++b)
        s.spectra[b].fill(static_cast<float>(b));
    float maximum = 0;
    SpectrumCalculator().compute(2, s, maximum);
    for (int b = 1; b < kSpectrumBlocks; ++b)
        EXPECT_EQ(s.spectra[b][400], static_cast<float>(b));
}

// More modes than the old fixed scratch array held: all of them count.
TEST(PlainSpectrum, EveryModeCountsHoweverMany) {
    std::vector<Mode> modes(400, Mode{"1000", {0, 0, 1}});
    modes.back() = Mode{"1499", {0, 0, 7}};
    VibrationStore s = storeWith(modes);
    float maximum = 0;
    SpectrumCalculator().compute(2, s, maximum);
    EXPECT_FLOAT_EQ(s.spectra[0][400], 399.0f + 7.0f / (499.0f * 499.0f + 1));
    EXPECT_NEAR(s.spectra[0][899], 7.0 + 399.0 / (499.0 * 499.0 + 1), 1e-5);
    EXPECT_FLOAT_EQ(maximum, 7.0f);
}

// A mode with a dipole derivative but no wavenumber text counts as 0 cm-1
// and the modes after it keep their own wavenumbers.
TEST(PlainSpectrum, ModeWithoutWavenumberTextCountsAsZero) {
    VibrationStore s;
    s.frequencies = {"1000"};
    s.dipoleDerivatives = {{3, 0, 4}, {0, 2, 0}};
    float maximum = 0;
    SpectrumCalculator().compute(2, s, maximum);
    EXPECT_NEAR(s.spectra[0][0], 5.0 / (400.0 * 400 + 1) + 2.0 / (600.0 * 600 + 1), 1e-9);
    EXPECT_NEAR(s.spectra[0][400], 5.0 + 2.0 / (1000.0 * 1000 + 1), 1e-6);
}

TEST(PlainSpectrum, HugeWidthDoesNotOverflow) {
    VibrationStore s = storeWith({{"1000", {3, 0, 4}}});
    float maximum = 0;
    SpectrumCalculator().compute(100000, s, maximum);
    // w * w = 1e10 does not fit an int: the line is almost flat.
    EXPECT_NEAR(s.spectra[0][0], 5.0 / (4.0 * 400 * 400 / 1e10 + 1), 1e-6);
    EXPECT_NEAR(s.spectra[0][899], 5.0 / (4.0 * 499 * 499 / 1e10 + 1), 1e-6);
}

TEST(Broaden, SumsInSinglePrecisionInModeOrder) {
    // 1 + 1e-8 is 1 in single precision; three such terms added one by one
    // stay 1, while a double sum would round to 1.0000001.
    VibrationStore::SpectrumBlock block{};
    const std::vector<float> sticks = {1.0f, 4e-8f, 4e-8f, 4e-8f};
    const std::vector<double> nu = {1000, 1000, 1000, 1000};
    broaden(sticks, nu, block, 2);
    EXPECT_EQ(block[400], 1.0f);
}

} // namespace
} // namespace kalviro
