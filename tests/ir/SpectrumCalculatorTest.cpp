// Broadening against Lorentzian values worked out by hand: with w = 2 a line
// of height I centred on grid point c gives I / ((j - c)^2 + 1) at point j.

#include <gtest/gtest.h>

#include "ir/SpectrumCalculator.h"

namespace kalviro {
namespace {

VibrationStore storeWith(std::vector<std::string> wavenumbers, std::vector<Vector3> dipoles) {
    VibrationStore s;
    s.frequencies = std::move(wavenumbers);
    s.dipoleDerivatives = std::move(dipoles);
    return s;
}

struct PointCase {
    std::string wavenumber;
    Vector3 dipole;
    int w;
    int j; // grid index: 600 + j cm-1
    double expected;
};

class SpectrumPoint : public ::testing::TestWithParam<PointCase> {};

TEST_P(SpectrumPoint, IsTheLorentzianWorkedOutByHand) {
    const PointCase& c = GetParam();
    VibrationStore s = storeWith({c.wavenumber}, {c.dipole});
    SpectrumCalculator().compute(c.w, s);
    EXPECT_NEAR(s.spectra[0][c.j], c.expected, 1e-6 * std::max(1.0, c.expected))
        << c.wavenumber << " w " << c.w << " at " << 600 + c.j;
}

const Vector3 k345{3, 0, 4}; // stick 5: the length, not its square

INSTANTIATE_TEST_SUITE_P(
    Broadening, SpectrumPoint,
    ::testing::Values(
        PointCase{"1000.0", k345, 2, 400, 5.0}, PointCase{"1000.0", k345, 2, 399, 2.5},
        PointCase{"1000.0", k345, 2, 401, 2.5}, PointCase{"1000.0", k345, 2, 398, 1.0},
        PointCase{"1000.0", k345, 2, 402, 1.0}, PointCase{"1000.0", k345, -2, 401, 2.5},
        PointCase{"1000.0", k345, 4, 402, 2.5}, // half height at w / 2
        PointCase{"1.0D+03", k345, 2, 400, 5.0},
        // Between grid points the two neighbours share the top.
        PointCase{"1000.5", {0, 0, 1}, 2, 400, 0.8}, PointCase{"1000.5", {0, 0, 1}, 2, 401, 0.8},
        // Outside the grid only tails arrive; no leading number means 0 cm-1.
        PointCase{"2000", k345, 2, 899, 5.0 / 251002}, PointCase{"abc", k345, 2, 0, 5.0 / 360001},
        // w * w beyond the int range.
        PointCase{"1000", k345, 100000, 0, 5.0 / (4.0 * 160000 / 1e10 + 1)},
        // w = 0: the limit of an ever narrower line, never NaN.
        PointCase{"1000", k345, 0, 400, 5.0}, PointCase{"1000", k345, 0, 401, 0.0},
        PointCase{"1000.5", k345, 0, 400, 0.0}));

TEST(PlainSpectrum, EveryModeCountsAndOnlyBlockZeroChanges) {
    // More modes than the old fixed scratch array held.
    VibrationStore s = storeWith(std::vector<std::string>(400, "1000"),
                                 std::vector<Vector3>(400, Vector3{0, 0, 1}));
    s.frequencies.back() = "1499";
    s.dipoleDerivatives.back() = {0, 0, 7};
    s.spectra[5].fill(3.0f);
    SpectrumCalculator().compute(2, s);
    EXPECT_FLOAT_EQ(s.intensityMaximum, 7.0f);
    EXPECT_FLOAT_EQ(s.spectra[0][400], 399.0f + 7.0f / (499 * 499 + 1));
    EXPECT_EQ(s.spectra[5][400], 3.0f);
}

TEST(PlainSpectrum, NoDipoleDerivativesGiveZerosAndMaximumZero) {
    VibrationStore s = storeWith({"1000"}, {});
    s.spectra[0].fill(3.0f);
    SpectrumCalculator().compute(2, s);
    EXPECT_EQ(s.intensityMaximum, 0.0f);
    EXPECT_EQ(std::count(s.spectra[0].begin(), s.spectra[0].end(), 0.0f), 900);
}

// A dipole derivative without a wavenumber text counts as 0 cm-1.
TEST(PlainSpectrum, MissingWavenumberTextCountsAsZero) {
    VibrationStore s = storeWith({"1000"}, {k345, {0, 2, 0}});
    SpectrumCalculator().compute(2, s);
    EXPECT_NEAR(s.spectra[0][0], 5.0 / 160001 + 2.0 / 360001, 1e-9);
}

TEST(Broaden, AddsInSinglePrecisionInModeOrder) {
    // 4e-8 is below half a unit of 1.0f: added one by one the terms vanish,
    // summed in double first they would not.
    VibrationStore::SpectrumBlock block{};
    broaden(std::vector<float>{1.0f, 4e-8f, 4e-8f, 4e-8f}, std::vector<double>(4, 1000.0), block,
            2);
    EXPECT_EQ(block[400], 1.0f);
}

} // namespace
} // namespace kalviro
