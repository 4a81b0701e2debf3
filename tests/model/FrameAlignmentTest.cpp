#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/FrameAlignment.h"

namespace kalviro {
namespace {

// Rotation by angle (radians) about the unit axis u, written out (Rodrigues).
struct Turn {
    double m[3][3];
    Turn(double ux, double uy, double uz, double angle) {
        const double n = std::sqrt(ux * ux + uy * uy + uz * uz);
        const double u[3] = {ux / n, uy / n, uz / n};
        const double c = std::cos(angle), s = std::sin(angle);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                m[i][j] = (1 - c) * u[i] * u[j] + (i == j ? c : 0.0);
        m[0][1] -= s * u[2];
        m[0][2] += s * u[1];
        m[1][0] += s * u[2];
        m[1][2] -= s * u[0];
        m[2][0] -= s * u[1];
        m[2][1] += s * u[0];
    }
    Vector3 operator()(const Vector3& v, const Vector3& shift = {}) const {
        return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z + shift.x,
                m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z + shift.y,
                m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z + shift.z};
    }
};

const std::vector<Vector3> kChiral = {
    {0, 0, 0}, {1.09, 0, 0}, {-0.36, 1.03, 0}, {-0.36, -0.51, 0.89}, {-0.5, -0.6, -1.2}};

TEST(FrameAlignmentTest, RecoversARotationAndShift) {
    const Turn turn(1, 2, 3, 0.7);
    std::vector<Vector3> to;
    for (const Vector3& p : kChiral)
        to.push_back(turn(p, {3, -2, 5}));
    const FrameAlignment f = alignFrames(kChiral, to);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(f.rotation[i][j], turn.m[i][j], 1e-12);
    EXPECT_LT(f.rmsDeviation, 1e-12);
    EXPECT_FALSE(f.axisOpen);
    const Vector3 back = f.turnBack(f.turn({0.3, -0.2, 0.9}));
    EXPECT_NEAR(back.x, 0.3, 1e-12);
    EXPECT_NEAR(back.z, 0.9, 1e-12);
}

TEST(FrameAlignmentTest, AnotherMoleculeIsRefused) {
    const std::vector<int> z = {6, 1, 1, 1, 9};
    std::vector<Vector3> mirror, moved = kChiral;
    for (const Vector3& p : kChiral)
        mirror.push_back({p.x, p.y, -p.z});
    moved[4].x += 0.01;
    struct Case {
        const char* name;
        std::vector<int> toZ;
        std::vector<Vector3> to;
    };
    const Case cases[] = {
        {"mirror image", z, mirror},
        {"one atom moved", z, moved},
        {"other element", {6, 1, 1, 1, 17}, kChiral},
        {"fewer atoms", {6, 1, 1, 1}, {kChiral.begin(), kChiral.end() - 1}},
    };
    for (const Case& c : cases) {
        auto r = alignSameMolecule(z, kChiral, c.toZ, c.to);
        ASSERT_FALSE(r) << c.name;
        EXPECT_NE(r.error().find("別の分子"), std::string::npos) << c.name << ": " << r.error();
    }
    EXPECT_TRUE(alignSameMolecule(z, kChiral, z, kChiral));
}

TEST(FrameAlignmentTest, ModesFixTheTurnAboutALinearMoleculesAxis) {
    // A linear triatomic on z with its two bends along x and y; the other
    // frame has it turned 35 degrees about z and then 180 about x.
    const std::vector<Vector3> to = {{0, 0, -1.2}, {0, 0, 0}, {0, 0, 1.2}};
    const std::vector<std::vector<Vector3>> toModes = {
        {{0.5, 0, 0}, {-0.7, 0, 0}, {0.5, 0, 0}}, {{0, 0.5, 0}, {0, -0.7, 0}, {0, 0.5, 0}}};
    const Turn aboutZ(0, 0, 1, 35 * M_PI / 180), aboutX(1, 0, 0, M_PI);
    std::vector<Vector3> from;
    std::vector<std::vector<Vector3>> fromModes(2);
    for (const Vector3& p : to)
        from.push_back(aboutX(aboutZ(p)));
    for (int k = 0; k < 2; ++k)
        for (const Vector3& d : toModes[k])
            fromModes[k].push_back(aboutX(aboutZ(d)));
    const FrameAlignment f = alignFramesWithModes(from, to, fromModes, toModes);
    EXPECT_TRUE(f.axisOpen);
    EXPECT_LT(f.rmsDeviation, 1e-9);
    for (int k = 0; k < 2; ++k)
        for (int a = 0; a < 3; ++a) {
            const Vector3 d = f.turn(fromModes[k][a]);
            const double sign = (k == 0 ? d.x * toModes[k][a].x : d.y * toModes[k][a].y) < 0 ? -1 : 1;
            EXPECT_NEAR(sign * d.x, toModes[k][a].x, 1e-6);
            EXPECT_NEAR(sign * d.y, toModes[k][a].y, 1e-6);
            EXPECT_NEAR(d.z, 0.0, 1e-9);
        }
}

} // namespace
} // namespace kalviro
