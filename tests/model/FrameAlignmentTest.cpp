#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/FrameAlignment.h"

namespace kalviro {
namespace {

const std::vector<Vector3> kChiral = {
    {0, 0, 0}, {1.09, 0, 0}, {-0.36, 1.03, 0}, {-0.36, -0.51, 0.89}, {-0.5, -0.6, -1.2}};

TEST(FrameAlignmentTest, RecoversARotationAndShift) {
    // 40 degrees about z, then 70 about x, written out.
    const double a = 40 * M_PI / 180, b = 70 * M_PI / 180;
    const double r[3][3] = {{std::cos(a), -std::sin(a), 0},
                            {std::cos(b) * std::sin(a), std::cos(b) * std::cos(a), -std::sin(b)},
                            {std::sin(b) * std::sin(a), std::sin(b) * std::cos(a), std::cos(b)}};
    std::vector<Vector3> to;
    for (const Vector3& p : kChiral)
        to.push_back({r[0][0] * p.x + r[0][1] * p.y + 3,
                      r[1][0] * p.x + r[1][1] * p.y + r[1][2] * p.z - 2,
                      r[2][0] * p.x + r[2][1] * p.y + r[2][2] * p.z + 5});
    const FrameAlignment f = alignFrames(kChiral, to);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(f.rotation[i][j], r[i][j], 1e-12);
    EXPECT_LT(f.rmsDeviation, 1e-12);
    EXPECT_FALSE(f.axisOpen);
    EXPECT_NEAR(f.turnBack(f.turn({0.3, -0.2, 0.9})).z, 0.9, 1e-12);
}

// Files whose frames were not compared keep the default: no turn at all.
TEST(FrameAlignmentTest, DefaultLeavesVectorsAsTheyAre) {
    const Vector3 v{0.3, -0.2, 0.9};
    EXPECT_EQ(FrameAlignment{}.turn(v), v);
    EXPECT_EQ(FrameAlignment{}.turnBack(v), v);
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
    // On z with bends along x and y; the other frame has it turned 35
    // degrees about z and then 180 about x: (x, y, z) -> (c x - s y, -(s x + c y), -z).
    const double c = std::cos(35 * M_PI / 180), s = std::sin(35 * M_PI / 180);
    const auto other = [&](const Vector3& v) {
        return Vector3{c * v.x - s * v.y, -(s * v.x + c * v.y), -v.z};
    };
    const std::vector<Vector3> to = {{0, 0, -1.2}, {0, 0, 0}, {0, 0, 1.2}};
    const std::vector<std::vector<Vector3>> toModes = {{{0.5, 0, 0}, {-0.7, 0, 0}, {0.5, 0, 0}},
                                                       {{0, 0.5, 0}, {0, -0.7, 0}, {0, 0.5, 0}}};
    std::vector<Vector3> from;
    std::vector<std::vector<Vector3>> fromModes(2);
    for (std::size_t a = 0; a < 3; ++a) {
        from.push_back(other(to[a]));
        for (std::size_t k = 0; k < 2; ++k)
            fromModes[k].push_back(other(toModes[k][a]));
    }
    EXPECT_TRUE(alignFrames(from, to).axisOpen);
    const FrameAlignment f = alignFramesWithModes(from, to, fromModes, toModes);
    EXPECT_LT(f.rmsDeviation, 1e-9);
    for (std::size_t k = 0; k < 2; ++k) { // each mode onto its own, up to sign
        const Vector3 d = f.turn(fromModes[k][0]);
        EXPECT_NEAR(std::abs(k == 0 ? d.x : d.y), 0.5, 1e-6) << k;
        EXPECT_NEAR(d.z, 0.0, 1e-9) << k;
    }
}

} // namespace
} // namespace kalviro
