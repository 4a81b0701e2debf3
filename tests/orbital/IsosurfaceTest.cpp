// Isosurfaces of a grid known in closed form: f = ±exp(-r^2) about an
// off-grid centre, whose surfaces f = ±v are spheres of radius sqrt(ln(1/v)).

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

#include "orbital/Isosurface.h"
#include "orbital/MolecularOrbital.h"

namespace kalviro {
namespace {

const Vector3 kCentre{0.13, -0.21, 0.07}; // bohr

OrbitalGrid gaussianGrid(double sign) {
    OrbitalGrid g;
    g.points = 61;
    g.origin = {-3.0, -3.2, -2.9};
    g.step = {0.1, 0.105, 0.097};
    for (int i = 0; i < g.points; ++i)
        for (int j = 0; j < g.points; ++j)
            for (int k = 0; k < g.points; ++k) {
                const Vector3 d = Vector3{g.origin[0] + i * g.step[0], g.origin[1] + j * g.step[1],
                                          g.origin[2] + k * g.step[2]} - kCentre;
                g.values.push_back(sign * std::exp(-d.dot(d)));
            }
    return g;
}

TEST(IsosurfaceTest, SpheresOfBothSignsAreClosedOutwardAndTheRightSize) {
    const double pi = std::acos(-1.0);
    for (const double sign : {1.0, -1.0}) {
        const SurfaceMesh m = traceIsosurface(gaussianGrid(sign), sign * 0.05);
        ASSERT_GT(m.triangles.size(), 300u);
        ASSERT_EQ(m.normals.size(), m.positions.size());
        const double radius = std::sqrt(std::log(20.0)) * kBohrInAngstrom;
        const Vector3 centre = kCentre * kBohrInAngstrom;
        for (std::size_t v = 0; v < m.positions.size(); ++v) {
            const Vector3 d = m.positions[v] - centre;
            EXPECT_NEAR(d.length(), radius, 0.01 * radius);
            EXPECT_GT(m.normals[v].dot(d * (1.0 / d.length())), 0.9);
        }
        // Every edge in both directions once: closed, and wound alike.
        std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
        double area = 0.0;
        for (std::size_t t = 0; t < m.triangles.size(); t += 3) {
            const std::uint32_t a = m.triangles[t], b = m.triangles[t + 1], c = m.triangles[t + 2];
            ++edges[{a, b}], ++edges[{b, c}], ++edges[{c, a}];
            const Vector3 face = (m.positions[b] - m.positions[a]).cross(m.positions[c] - m.positions[a]);
            area += face.length() / 2;
            EXPECT_GT(face.dot(m.positions[a] - centre), 0.0);
        }
        for (const auto& [edge, count] : edges) {
            EXPECT_EQ(count, 1);
            EXPECT_EQ(edges.count({edge.second, edge.first}), 1u);
        }
        EXPECT_NEAR(area, 4 * pi * radius * radius, 0.02 * 4 * pi * radius * radius);
    }
}

TEST(IsosurfaceTest, ValueBeyondTheGridGivesNothing) {
    EXPECT_TRUE(traceIsosurface(gaussianGrid(1.0), 1.5).triangles.empty());
    EXPECT_TRUE(traceIsosurface(gaussianGrid(1.0), -0.05).positions.empty());
    const OrbitalSurfaces s = traceOrbitalSurfaces(gaussianGrid(-1.0), 0.05);
    EXPECT_TRUE(s.shown[0].triangles.empty());
    EXPECT_EQ(s.shown[1].triangles, s.computed[1].triangles);
    EXPECT_FALSE(s.empty());
}

} // namespace
} // namespace kalviro
