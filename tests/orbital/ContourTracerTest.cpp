#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <utility>

#include "model/ProgramError.h"
#include "platform/Messages.h"
#include "orbital/ContourTracer.h"
#include "orbital/Isosurface.h"
#include "orbital/MolecularOrbital.h"

namespace kalviro {
namespace {

constexpr float kBoxEdge = 5.0f; // angstrom; 0.1 between slices

// A calculator whose box is [0, 5] on every axis and whose grid holds f(i, j, k).
MolecularOrbital gridOf(const std::function<double(int, int, int)>& f) {
    MolecularOrbital mo;
    for (int a = 0; a < 3; ++a) {
        mo.boxMin[a] = 0.0f;
        mo.boxMax[a] = kBoxEdge;
        mo.gridOrigin[a] = 0.0f;
        mo.gridStep[a] = static_cast<float>(kBoxEdge / 50.0 / kBohrInAngstrom);
    }
    for (int k = 0; k < kGridSize; ++k)
        for (int j = 0; j < kGridSize; ++j)
            for (int i = 0; i < kGridSize; ++i)
                mo.at(i, j, k) = static_cast<float>(f(i, j, k));
    return mo;
}

std::function<double(int, int, int)> lobe(double amplitude, double ci, double cj, double ck,
                                          double sigma) {
    return [=](int i, int j, int k) {
        const double r2 = (i - ci) * (i - ci) + (j - cj) * (j - cj) + (k - ck) * (k - ck);
        return amplitude * std::exp(-r2 / (sigma * sigma));
    };
}

// The grid value at a traced point, interpolated as the tracer places points:
// linearly along a grid edge, or along a cell diagonal through the cell
// centre, whose value is the mean of the four corners.
double valueAt(const MolecularOrbital& mo, const Vector3& p) {
    const double f[3] = {p.x / 0.1, p.y / 0.1, p.z / 0.1};
    bool whole[3];
    int n = 0;
    for (int a = 0; a < 3; ++a) {
        whole[a] = std::abs(f[a] - std::round(f[a])) < 1e-3;
        n += whole[a];
    }
    auto node = [&](double x, double y, double z) {
        return static_cast<double>(mo.at(static_cast<int>(std::lround(x)),
                                         static_cast<int>(std::lround(y)),
                                         static_cast<int>(std::lround(z))));
    };
    if (n >= 2) {
        int along = 0;
        for (int a = 0; a < 3; ++a)
            if (!whole[a])
                along = a;
        double lo[3] = {f[0], f[1], f[2]}, hi[3] = {f[0], f[1], f[2]};
        lo[along] = std::floor(f[along]);
        hi[along] = lo[along] + 1;
        const double t = f[along] - lo[along];
        return node(lo[0], lo[1], lo[2]) * (1 - t) + node(hi[0], hi[1], hi[2]) * t;
    }
    int plane = 0;
    for (int a = 0; a < 3; ++a)
        if (whole[a])
            plane = a;
    const int u = plane == 0 ? 1 : 0;
    const int v = plane == 2 ? 1 : 2;
    const double fu = std::floor(f[u]), fv = std::floor(f[v]);
    const double s = f[u] - fu, t = f[v] - fv;
    auto corner = [&](int du, int dv) {
        double c[3];
        c[plane] = std::round(f[plane]);
        c[u] = fu + du;
        c[v] = fv + dv;
        return node(c[0], c[1], c[2]);
    };
    const double centre = 0.25 * (corner(0, 0) + corner(1, 0) + corner(0, 1) + corner(1, 1));
    double a;
    double b;
    if (std::abs(s - t) < 1e-3) {
        a = corner(0, 0);
        b = corner(1, 1);
    } else {
        EXPECT_NEAR(s + t, 1.0, 1e-3) << "point neither on an edge nor on a diagonal";
        a = corner(0, 1);
        b = corner(1, 0);
    }
    return s <= 0.5 ? a + (centre - a) * (s / 0.5) : centre + (b - centre) * ((s - 0.5) / 0.5);
}

void expectClosedLoopsOnTheLevel(const MolecularOrbital& mo, const ContourStore& store) {
    std::size_t first = 0;
    for (const ContourLoop& loop : store.loops) {
        ASSERT_GE(loop.pointCount, 3);
        const Vector3& a = store.loadedPoints[first];
        const Vector3& b = store.loadedPoints[first + loop.pointCount - 1];
        EXPECT_EQ(a, b) << "loop not closed";
        const double level = loop.signCode == 0 ? 0.05 : -0.05;
        for (int k = 0; k < loop.pointCount; ++k)
            ASSERT_NEAR(valueAt(mo, store.loadedPoints[first + k]), level, 1e-4)
                << "loop point " << k;
        first += loop.pointCount;
    }
    EXPECT_EQ(first, store.loadedPoints.size());
}

TEST(ContourTracer, ZeroGridGivesNoLoops) {
    const ContourStore store = traceAllSlices(gridOf([](int, int, int) { return 0.0; }));
    EXPECT_EQ(store.loopCount(), 0u);
    EXPECT_EQ(store.pointCount(), 0u);
}

// exp(-r^2/64) >= 0.05 for r <= 13.8: slices 12 .. 38 of each pass cut it.
TEST(ContourTracer, OneLobeGivesOneClosedLoopPerCuttingSlice) {
    const MolecularOrbital mo = gridOf(lobe(1.0, 25, 25, 25, 8.0));
    const ContourStore store = traceAllSlices(mo);
    EXPECT_EQ(store.loopCount(), 3u * 27u);
    for (const ContourLoop& loop : store.loops)
        EXPECT_EQ(loop.signCode, 0);
    expectClosedLoopsOnTheLevel(mo, store);
}

TEST(ContourTracer, OffCentreLobesOfBothSigns) {
    const auto plus = lobe(0.8, 15, 22, 27, 4.0);
    const auto minus = lobe(-0.6, 35, 29, 21, 5.0);
    const MolecularOrbital mo =
        gridOf([&](int i, int j, int k) { return plus(i, j, k) + minus(i, j, k); });
    const ContourStore store = traceAllSlices(mo);
    int positive = 0;
    int negative = 0;
    for (const ContourLoop& loop : store.loops)
        (loop.signCode == 0 ? positive : negative)++;
    // 0.8 exp(-r^2/16) >= 0.05 for r <= 6.66; 0.6 exp(-r^2/25) for r <= 7.88.
    EXPECT_EQ(positive, 3 * 13);
    EXPECT_EQ(negative, 3 * 15);
    expectClosedLoopsOnTheLevel(mo, store);
}

TEST(ContourTracer, LobeReachingTheFaceStopsWithItsLine) {
    struct Case {
        double amplitude;
        int line;
    };
    for (const Case c : {Case{1.0, kEdgeLinePositive}, Case{-1.0, kEdgeLineNegative}}) {
        try {
            traceAllSlices(gridOf(lobe(c.amplitude, 2, 25, 25, 6.0)));
            ADD_FAILURE() << "no exception";
        } catch (const ProgramError& e) {
            EXPECT_EQ(e.file(), "KALVIROMolecularOrbital");
            EXPECT_EQ(e.line(), c.line);
            EXPECT_EQ(e.text().rfind(msg::kInternalFault, 0), 0u) << e.text(); // a sentence first
        }
    }
}

// Only the corner point inside: the line cuts the corner, starting on the
// first cell of the left edge, and still counts as touching the edge.
TEST(ContourTracer, LineCuttingACornerTouchesTheEdge) {
    std::vector<float> slice(kGridSize * kGridSize, 0.0f);
    slice[0] = 1.0f;
    MolecularOrbital mo = gridOf([](int, int, int) { return 0.0; });
    ContourStore store;
    ContourTracer tracer(mo, store);
    EXPECT_THROW(tracer.contourSlice(slice.data(), 0.0f, 5.0f, 0.0f, 5.0f, 0, 1, 1.0f),
                 ProgramError);
}

// A comb of twelve teeth: one closed line of well over 850 points, stored as
// loops that join end to start.
TEST(ContourTracer, LongLineIsSplitIntoJoinedLoops) {
    std::vector<float> slice(kGridSize * kGridSize, 0.0f);
    for (int j = 3; j <= 48; ++j)
        for (int i = 3; i <= 48; ++i)
            if (j <= 5 || (i - 3) % 4 < 2)
                slice[(j - 1) * kGridSize + (i - 1)] = 1.0f;
    MolecularOrbital mo = gridOf([](int, int, int) { return 0.0; });
    ContourStore store;
    ContourTracer tracer(mo, store);
    tracer.contourSlice(slice.data(), 0.0f, 5.0f, 0.0f, 5.0f, 0, 1, 1.0f);
    ASSERT_GE(store.loopCount(), 2u);
    EXPECT_EQ(store.loops[0].pointCount, kSegmentPoints);
    std::size_t first = 0;
    for (std::size_t n = 0; n + 1 < store.loops.size(); ++n) {
        first += store.loops[n].pointCount;
        EXPECT_EQ(store.loadedPoints[first - 1], store.loadedPoints[first]) << "loop " << n + 1;
    }
    EXPECT_EQ(store.loadedPoints.back(), store.loadedPoints.front());
}

TEST(ContourStore, RotationAboutXThenRestore) {
    ContourStore store;
    store.appendLoop(0, {{0.0, 1.0, 0.0}, {1.0, 0.0, 0.0}});
    store.rotateContours(90.0, 0.0);
    EXPECT_NEAR(store.currentPoints[0].y, 0.0, 1e-6);
    EXPECT_NEAR(store.currentPoints[0].z, 1.0, 1e-6);
    EXPECT_NEAR(store.currentPoints[1].x, 1.0, 1e-6);
    store.restoreContours();
    EXPECT_EQ(store.currentPoints[0], (Vector3{0.0, 1.0, 0.0}));
}

// Isosurfaces of a grid known in closed form: f = ±exp(-r^2) about an
// off-grid centre, whose surfaces f = ±v are spheres of radius sqrt(ln(1/v)).
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

// A quarter turn about Z alone: the same height and distance from the axis,
// at right angles about it.
TEST(IsosurfaceTest, ATurnAboutZAloneTurnsTheSurfaces) {
    OrbitalSurfaces s = traceOrbitalSurfaces(gaussianGrid(1.0), 0.05);
    s.rotate(90.0, 0.0, 0.0);
    const Vector3 p = s.computed[0].positions[0], q = s.shown[0].positions[0];
    EXPECT_NEAR(q.z, p.z, 1e-9);
    EXPECT_NEAR(q.x * p.x + q.y * p.y, 0.0, 1e-6);
    EXPECT_NEAR(std::hypot(q.x, q.y), std::hypot(p.x, p.y), 1e-6);
}

} // namespace
} // namespace kalviro
