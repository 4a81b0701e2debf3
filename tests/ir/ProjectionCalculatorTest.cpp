// The projection on the surface normal: cos^2 and sin^2 tables worked out by
// hand. With w = 2 and a single mode at 1000 cm-1, block a at 1000 cm-1 holds
// exactly the relative intensity of angle 15 a.

#include <gtest/gtest.h>

#include <memory>

#include "ir/ProjectionCalculator.h"

namespace kalviro {
namespace {

enum class Axis { X, Z };

std::unique_ptr<ProjectionCalculator> calculator(Axis axis) {
    if (axis == Axis::X)
        return std::make_unique<XAxisProjection>();
    return std::make_unique<ZAxisProjection>();
}

VibrationStore singleMode(const Vector3& dipole) {
    VibrationStore s;
    s.frequencies = {"1000.0"};
    s.dipoleDerivatives = {dipole};
    return s;
}

struct AngleCase {
    friend void PrintTo(const AngleCase& c, std::ostream* os) {
        *os << (c.axis == Axis::X ? "X" : "Z") << " (" << c.dipole.x << ", " << c.dipole.y << ", "
            << c.dipole.z << ") at " << 15 * c.block;
    }

    Axis axis;
    Vector3 dipole;
    int block; // angle 15 * block
    double expected;
};

class RelativeIntensity : public ::testing::TestWithParam<AngleCase> {};

TEST_P(RelativeIntensity, IsTheSquaredNormalComponent) {
    const AngleCase& c = GetParam();
    VibrationStore s = singleMode(c.dipole);
    float maximum = 0;
    calculator(c.axis)->compute(2, s, maximum);
    EXPECT_NEAR(s.spectra[c.block][400], c.expected, 1e-6)
        << (c.axis == Axis::X ? "X" : "Z") << " at " << 15 * c.block << " degrees";
}

INSTANTIATE_TEST_SUITE_P(
    Tables, RelativeIntensity,
    ::testing::Values(
        // (0, 1, 0): cos^2 about either axis.
        AngleCase{Axis::X, {0, 1, 0}, 0, 1.0}, AngleCase{Axis::X, {0, 1, 0}, 2, 0.75},
        AngleCase{Axis::X, {0, 1, 0}, 3, 0.5}, AngleCase{Axis::X, {0, 1, 0}, 6, 0.0},
        AngleCase{Axis::X, {0, 1, 0}, 10, 0.75}, AngleCase{Axis::Z, {0, 1, 0}, 0, 1.0},
        AngleCase{Axis::Z, {0, 1, 0}, 2, 0.75}, AngleCase{Axis::Z, {0, 1, 0}, 3, 0.5},
        AngleCase{Axis::Z, {0, 1, 0}, 6, 0.0}, AngleCase{Axis::Z, {0, 1, 0}, 10, 0.75},
        AngleCase{Axis::Z, {0, 1, 0}, 11, 0.9330127018922193},
        // (0, 0, 1): sin^2 about X, nothing about Z.
        AngleCase{Axis::X, {0, 0, 1}, 0, 0.0}, AngleCase{Axis::X, {0, 0, 1}, 2, 0.25},
        AngleCase{Axis::X, {0, 0, 1}, 6, 1.0}, AngleCase{Axis::Z, {0, 0, 1}, 6, 0.0},
        AngleCase{Axis::Z, {0, 0, 1}, 3, 0.0},
        // (1, 0, 0): nothing about X, sin^2 about Z.
        AngleCase{Axis::X, {1, 0, 0}, 6, 0.0}, AngleCase{Axis::X, {1, 0, 0}, 3, 0.0},
        AngleCase{Axis::Z, {1, 0, 0}, 0, 0.0}, AngleCase{Axis::Z, {1, 0, 0}, 2, 0.25},
        AngleCase{Axis::Z, {1, 0, 0}, 6, 1.0},
        // Block 0 is y^2, not the length the plain spectrum uses.
        AngleCase{Axis::X, {3, 0, 4}, 0, 0.0}, AngleCase{Axis::Z, {0, 3, 4}, 0, 9.0},
        // (0, 3, 4) about X at 60 degrees: y' = 1.5 - 2 sqrt 3.
        AngleCase{Axis::X, {0, 3, 4}, 4, 3.857695154586736}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(Projection, RotationsAreRightHandedAndNotCumulative) {
    VibrationStore s = singleMode({0, 1, 0});
    float maximum = 0;
    XAxisProjection x;
    x.compute(2, s, maximum);
    for (int twice = 0; twice < 2; ++twice) {
        const Vector3 v = x.rotate(90, 0);
        EXPECT_NEAR(v.y, 0.0, 1e-12);
        EXPECT_NEAR(v.z, 1.0, 1e-12); // +Y turns to +Z about X
    }
    VibrationStore t = singleMode({1, 0, 0});
    ZAxisProjection z;
    z.compute(2, t, maximum);
    for (int twice = 0; twice < 2; ++twice) {
        const Vector3 v = z.rotate(90, 0);
        EXPECT_NEAR(v.x, 0.0, 1e-12);
        EXPECT_NEAR(v.y, 1.0, 1e-12); // +X turns to +Y about Z
    }
}

TEST(Projection, MaximumSpansAllModesAndAngles) {
    VibrationStore s;
    s.frequencies = {"800", "1000"};
    s.dipoleDerivatives = {{0, 1, 0}, {0, 0, 2}}; // largest: 4 at 90 degrees
    float maximum = 100;
    XAxisProjection().compute(2, s, maximum);
    EXPECT_FLOAT_EQ(maximum, 4.0f);
    EXPECT_NEAR(s.spectra[0][200], 1.0 + 0.0, 1e-6);
    EXPECT_NEAR(s.spectra[6][400], 4.0 + 0.0, 1e-6);
}

TEST(Projection, FillsEveryBlockAndBroadensLikeTheSpectrum) {
    VibrationStore s = singleMode({0, 0, 1});
    for (auto& b : s.spectra)
        b.fill(-1.0f);
    float maximum = 0;
    ZAxisProjection().compute(2, s, maximum);
    for (const auto& b : s.spectra)
        for (float v : b)
            ASSERT_EQ(v, 0.0f);
    EXPECT_EQ(maximum, 0.0f);

    VibrationStore t = singleMode({0, 0, 1});
    XAxisProjection().compute(2, t, maximum);
    // 90 degrees: stick 1; one and two cm-1 away 1/2 and 1/5.
    EXPECT_NEAR(t.spectra[6][401], 0.5, 1e-6);
    EXPECT_NEAR(t.spectra[6][398], 0.2, 1e-6);
}

TEST(Projection, EveryModeCountsHoweverMany) {
    VibrationStore s;
    s.frequencies.assign(300, "1000");
    s.dipoleDerivatives.assign(300, {0, 1, 0});
    float maximum = 0;
    ZAxisProjection().compute(2, s, maximum);
    EXPECT_FLOAT_EQ(s.spectra[0][400], 300.0f);
    EXPECT_NEAR(s.spectra[4][400], 300 * 0.25, 1e-4); // 60 degrees
}

} // namespace
} // namespace kalviro
