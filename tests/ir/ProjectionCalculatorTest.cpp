// The squared normal component for 12 angles, from the cos^2 / sin^2 tables.
// With w = 2 and one mode at 1000 cm-1, block a at 1000 cm-1 holds exactly
// the relative intensity at 15 a degrees.

#include <gtest/gtest.h>

#include "ir/ProjectionCalculator.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

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
