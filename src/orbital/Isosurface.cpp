#include "orbital/Isosurface.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "orbital/MolecularOrbital.h"

namespace kalviro {
namespace {

// A cube's corners by bits: x = 1, y = 2, z = 4. Each tetrahedron walks from
// corner 0 to corner 7 along the three axes in one of the six orders, so all
// its edges run from a corner to one with more bits set: a face diagonal
// always joins the face's lowest and highest corner, in every cube alike.
std::array<std::array<int, 4>, 6> cubeTetrahedra() {
    std::array<std::array<int, 4>, 6> t{};
    std::array<int, 3> order{0, 1, 2};
    for (auto& tetra : t) {
        int corner = 0;
        tetra[0] = corner;
        for (int s = 0; s < 3; ++s)
            tetra[s + 1] = corner |= 1 << order[s];
        std::next_permutation(order.begin(), order.end());
    }
    return t;
}

Vector3 operator*(double s, const Vector3& v) {
    return {s * v.x, s * v.y, s * v.z};
}

Vector3 unit(const Vector3& v) {
    const double l = v.length();
    return l > 0.0 ? (1.0 / l) * v : Vector3{};
}

class Tracer {
  public:
    Tracer(const OrbitalGrid& g, double level)
        : g_(g), n_(static_cast<std::size_t>(g.points)), level_(level),
          sign_(level < 0 ? -1.0 : 1.0) {}

    SurfaceMesh run() {
        const auto tetrahedra = cubeTetrahedra();
        const std::size_t offset[8] = {0, n_ * n_, n_, n_ * n_ + n_, 1, n_ * n_ + 1, n_ + 1,
                                       n_ * n_ + n_ + 1};
        for (std::size_t i = 0; i + 1 < n_; ++i)
            for (std::size_t j = 0; j + 1 < n_; ++j)
                for (std::size_t k = 0; k + 1 < n_; ++k) {
                    const std::size_t base = (i * n_ + j) * n_ + k;
                    for (const auto& t : tetrahedra)
                        tetrahedron({base + offset[t[0]], base + offset[t[1]], base + offset[t[2]],
                                     base + offset[t[3]]});
                }
        return std::move(mesh_);
    }

  private:
    bool inside(std::size_t p) const { return sign_ * (g_.values[p] - level_) > 0.0; }

    Vector3 position(std::size_t p) const {
        const std::size_t i = p / (n_ * n_), j = p / n_ % n_, k = p % n_;
        return {g_.origin[0] + double(i) * g_.step[0], g_.origin[1] + double(j) * g_.step[1],
                g_.origin[2] + double(k) * g_.step[2]};
    }

    // Central differences; one-sided on the grid's faces.
    Vector3 gradient(std::size_t p) const {
        const std::size_t index[3] = {p / (n_ * n_), p / n_ % n_, p % n_};
        const std::size_t stride[3] = {n_ * n_, n_, 1};
        double d[3];
        for (int a = 0; a < 3; ++a) {
            const std::size_t lo = index[a] > 0 ? p - stride[a] : p;
            const std::size_t hi = index[a] + 1 < n_ ? p + stride[a] : p;
            const double span = double((hi - lo) / stride[a]) * g_.step[a];
            d[a] = span > 0.0 ? (g_.values[hi] - g_.values[lo]) / span : 0.0;
        }
        return {d[0], d[1], d[2]};
    }

    // The crossing on the edge from an inside point a to an outside point b,
    // made once and shared by every triangle that meets the edge.
    std::uint32_t vertex(std::size_t a, std::size_t b) {
        const std::uint64_t key = std::uint64_t(std::min(a, b)) << 32 | std::max(a, b);
        auto [it, added] = vertexOfEdge_.try_emplace(key, std::uint32_t(mesh_.positions.size()));
        if (!added)
            return it->second;
        const double fa = g_.values[a], fb = g_.values[b];
        const double t = (level_ - fa) / (fb - fa);
        const Vector3 pa = position(a), pb = position(b);
        mesh_.positions.push_back(kBohrInAngstrom * (pa + t * (pb - pa)));
        const Vector3 ga = gradient(a), gb = gradient(b);
        // |value| falls against the gradient on the + surface, along it on the - one.
        mesh_.normals.push_back(unit(-sign_ * (ga + t * (gb - ga))));
        return it->second;
    }

    // Winds the triangle so that its face points from the inside corners to the outside ones.
    void triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c, const Vector3& outward) {
        const auto& p = mesh_.positions;
        if ((p[b] - p[a]).cross(p[c] - p[a]).dot(outward) < 0.0)
            std::swap(b, c);
        mesh_.triangles.insert(mesh_.triangles.end(), {a, b, c});
    }

    void tetrahedron(const std::array<std::size_t, 4>& v) {
        std::array<std::size_t, 4> in{}, out{};
        std::size_t nIn = 0, nOut = 0;
        for (std::size_t p : v)
            (inside(p) ? in[nIn++] : out[nOut++]) = p;
        if (nIn == 0 || nOut == 0)
            return;
        Vector3 outward{};
        for (std::size_t q = 0; q < nOut; ++q)
            outward = outward + (1.0 / double(nOut)) * position(out[q]);
        for (std::size_t q = 0; q < nIn; ++q)
            outward = outward - (1.0 / double(nIn)) * position(in[q]);
        if (nIn == 1 || nOut == 1) {
            // One corner cut off: the triangle on its three edges.
            const bool lone = nIn == 1;
            const std::size_t tip = lone ? in[0] : out[0];
            const auto& rest = lone ? out : in;
            std::uint32_t e[3];
            for (int q = 0; q < 3; ++q)
                e[q] = lone ? vertex(tip, rest[q]) : vertex(rest[q], tip);
            triangle(e[0], e[1], e[2], outward);
            return;
        }
        // Two and two: a quadrilateral around the edges a-c, a-d, b-d, b-c.
        const std::uint32_t q0 = vertex(in[0], out[0]), q1 = vertex(in[0], out[1]),
                            q2 = vertex(in[1], out[1]), q3 = vertex(in[1], out[0]);
        triangle(q0, q1, q2, outward);
        triangle(q0, q2, q3, outward);
    }

    const OrbitalGrid& g_;
    const std::size_t n_;
    const double level_;
    const double sign_;
    SurfaceMesh mesh_;
    std::unordered_map<std::uint64_t, std::uint32_t> vertexOfEdge_;
};

} // namespace

SurfaceMesh traceIsosurface(const OrbitalGrid& grid, double level) {
    const std::size_t n = static_cast<std::size_t>(std::max(grid.points, 0));
    if (n < 2 || grid.values.size() < n * n * n || level == 0.0)
        return {};
    return Tracer(grid, level).run();
}

OrbitalGrid contourGridOf(const MolecularOrbital& mo) {
    OrbitalGrid g;
    g.points = kGridSize;
    for (int a = 0; a < 3; ++a) {
        g.origin[a] = mo.gridOrigin[a];
        g.step[a] = mo.gridStep[a];
    }
    g.values.reserve(kGridValues);
    for (int x = 0; x < kGridSize; ++x)
        for (int y = 0; y < kGridSize; ++y)
            for (int z = 0; z < kGridSize; ++z)
                g.values.push_back(mo.at(x, y, z));
    return g;
}

void OrbitalSurfaces::rotate(double c, double a, double b) {
    if (c == 0.0 && a == 0.0 && b == 0.0)
        return; // most frames
    for (SurfaceMesh& m : shown)
        for (auto* list : {&m.positions, &m.normals})
            for (Vector3& v : *list) {
                v.rotateZ(c);
                v.rotateXY(a, b);
            }
}

void OrbitalSurfaces::restore() {
    shown[0] = computed[0];
    shown[1] = computed[1];
}

void OrbitalSurfaces::place(const FrameAlignment& f) {
    for (SurfaceMesh* m : {&shown[0], &shown[1], &computed[0], &computed[1]}) {
        for (Vector3& p : m->positions)
            p = f.place(p);
        for (Vector3& v : m->normals)
            v = f.turn(v);
    }
}

OrbitalSurfaces traceOrbitalSurfaces(const OrbitalGrid& grid, double value) {
    OrbitalSurfaces s;
    s.value = value;
    s.computed[0] = traceIsosurface(grid, value);
    s.computed[1] = traceIsosurface(grid, -value);
    s.restore();
    return s;
}

} // namespace kalviro
