// Broadening against Lorentzian values worked out by hand: with w = 2 a line
// of height I centred on grid point c gives I / ((j - c)^2 + 1) at point j.

#include <gtest/gtest.h>

#include <algorithm>

#include "ir/ProjectionCalculator.h"
#include "ir/SpectrumCalculator.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

VibrationStore storeWith(std::vector<std::string> wavenumbers, std::vector<std::string> intensities) {
    VibrationStore s;
    s.frequencies = std::move(wavenumbers);
    s.intensities = std::move(intensities);
    return s;
}

TEST(PlainSpectrum, PointsAreTheLorentzianWorkedOutByHand) {
    const struct {
        const char* wavenumber;
        const char* intensity; // km/mol as printed: the stick itself
        int w;
        int j; // grid index: 600 + j cm-1
        double expected;
    } cases[] = {
        // w = 2 on the grid: every point in SpectrumExportTest's IRSpec bytes.
        {"1000.0", "5", -2, 401, 2.5}, {"1000.0", "5", 4, 402, 2.5}, // half height at w / 2
        {"1.0D+03", "0.5D+01", 2, 400, 5.0},
        // Between grid points the two neighbours share the top.
        {"1000.5", "1", 2, 400, 0.8}, {"1000.5", "1", 2, 401, 0.8},
        // Outside the grid only tails arrive.
        {"2000", "5", 2, 899, 5.0 / 251002},
        // Imaginary (negative), zero and unreadable wavenumbers are left out.
        {"-100", "5", 2, 0, 0.0}, {"0.0", "5", 2, 0, 0.0}, {"abc", "5", 2, 0, 0.0},
        // w * w beyond the int range.
        {"1000", "5", 100000, 0, 5.0 / (4.0 * 160000 / 1e10 + 1)},
        // w = 0: the limit of an ever narrower line, never NaN.
        {"1000", "5", 0, 400, 5.0}, {"1000", "5", 0, 401, 0.0}, {"1000.5", "5", 0, 400, 0.0},
    };
    for (const auto& c : cases) {
        VibrationStore s = storeWith({c.wavenumber}, {c.intensity});
        SpectrumCalculator().compute(c.w, s);
        EXPECT_NEAR(s.spectra[0][c.j], c.expected, 1e-6 * std::max(1.0, c.expected))
            << c.wavenumber << " w " << c.w << " at " << 600 + c.j;
    }
}

TEST(PlainSpectrum, EveryModeCountsAndOnlyBlockZeroChanges) {
    // More modes than the old fixed scratch array held; the largest stick
    // sets the maximum, an imaginary mode does not.
    VibrationStore s = storeWith(std::vector<std::string>(400, "1000"),
                                 std::vector<std::string>(400, "1.0000"));
    s.frequencies.back() = "1499";
    s.intensities.back() = "7.0000";
    s.frequencies.front() = "-1000";
    s.intensities.front() = "90.0000";
    s.spectra[5].fill(3.0f);
    s.intensityMaximum = 100; // of an earlier calculation
    SpectrumCalculator().compute(2, s);
    EXPECT_FLOAT_EQ(s.intensityMaximum, 7.0f);
    EXPECT_FLOAT_EQ(s.spectra[0][400], 398.0f + 7.0f / (499 * 499 + 1));
    EXPECT_EQ(s.spectra[5][400], 3.0f);
}

TEST(PlainSpectrum, GamessUnitsAreTurnedIntoKmPerMol) {
    VibrationStore s = storeWith({"1000", "1100"}, {"2.0", ""});
    s.intensityToKmPerMol = 42.2561;
    SpectrumCalculator().compute(2, s);
    EXPECT_NEAR(s.spectra[0][400], 2.0 * 42.2561 + 0.0, 1e-3);
    EXPECT_FLOAT_EQ(s.intensityMaximum, static_cast<float>(2.0 * 42.2561));
}

TEST(Broaden, AddsInSinglePrecisionInModeOrder) {
    // 4e-8 is below half a unit of 1.0f: added one by one the terms vanish,
    // summed in double first they would not.
    VibrationStore::SpectrumBlock block{};
    broaden(std::vector<float>{1.0f, 4e-8f, 4e-8f, 4e-8f}, std::vector<double>(4, 1000.0), block,
            2);
    EXPECT_EQ(block[400], 1.0f);
}

// The squared normal component for 12 angles, from the cos^2 / sin^2 tables.
// With w = 2 and one mode at 1000 cm-1, block a at 1000 cm-1 holds exactly
// the relative intensity at 15 a degrees.

using test::singleMode;

TEST(Projection, RelativeIntensityIsTheSquaredNormalComponent) {
    constexpr bool X = true, Z = false;
    const struct {
        bool aboutX;
        Vector3 dipole;
        int block;
        double expected;
    } cases[] = {
        // X about (0, 1, 0): every angle in SpectrumExportTest's spec.csv bytes.
        {Z, {0, 1, 0}, 2, 0.75}, {Z, {0, 1, 0}, 6, 0},
        {Z, {0, 1, 0}, 11, 0.9330127018922193}, {X, {0, 0, 1}, 0, 0}, {X, {0, 0, 1}, 2, 0.25},
        {X, {0, 0, 1}, 6, 1}, {Z, {0, 0, 1}, 6, 0}, {X, {1, 0, 0}, 6, 0}, {Z, {1, 0, 0}, 2, 0.25},
        {Z, {1, 0, 0}, 6, 1},
        // Block 0 is y^2, not the length the plain spectrum uses.
        {X, {3, 0, 4}, 0, 0}, {Z, {0, 3, 4}, 0, 9},
        // About X at 60 degrees: y' = 3 cos - 4 sin = 1.5 - 2 sqrt 3.
        {X, {0, 3, 4}, 4, 3.8576951545867355},
    };
    for (const auto& c : cases) {
        VibrationStore s = singleMode(c.dipole);
        if (c.aboutX)
            XAxisProjection().compute(2, s);
        else
            ZAxisProjection().compute(2, s);
        EXPECT_NEAR(s.spectra[c.block][400], c.expected, 1e-6)
            << (c.aboutX ? "X" : "Z") << " (" << c.dipole.x << "," << c.dipole.y << ","
            << c.dipole.z << ") at " << 15 * c.block << " degrees";
    }
}

TEST(Projection, TurnsRightHandedFromTheCopyEveryTime) {
    VibrationStore s = singleMode({0, 1, 0});
    XAxisProjection x;
    x.compute(2, s);
    x.rotate(30, 0);
    EXPECT_NEAR(x.rotate(90, 0).z, 1.0, 1e-12); // +Y to +Z, not 120 degrees on
    s = singleMode({1, 0, 0});
    ZAxisProjection z;
    z.compute(2, s);
    EXPECT_NEAR(z.rotate(90, 0).y, 1.0, 1e-12); // +X to +Y
}

TEST(Projection, MaximumSpansAllModesAndAngles) {
    VibrationStore s;
    s.frequencies = {"800", "1000", "-900"};
    // Largest: 2^2 at 90 degrees; the imaginary mode is left out.
    s.dipoleDerivatives = {{0, 1, 0}, {0, 0, 2}, {0, 0, 5}};
    s.intensityMaximum = 100;
    XAxisProjection().compute(2, s);
    EXPECT_FLOAT_EQ(s.intensityMaximum, 4.0f);
}

} // namespace
} // namespace kalviro
