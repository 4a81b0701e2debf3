#pragma once
// Isosurfaces of an orbital grid: the closed surfaces where the orbital equals
// +value and -value, as triangles (marching tetrahedra) with normals from the
// grid's gradient, in angstrom; and the pair of them turned with the molecule.

#include <cstdint>
#include <vector>

#include "model/FrameAlignment.h"
#include "model/Vector3.h"
#include "orbital/OrbitalGrid.h"

namespace kalviro {

struct MolecularOrbital;

constexpr double kDefaultIsoValue = 0.05;

struct SurfaceMesh {
    std::vector<Vector3> positions; // angstrom
    std::vector<Vector3> normals;   // unit, towards smaller |value| (outward)
    // Three vertex indices a triangle, counter-clockwise seen from the normals' side.
    std::vector<std::uint32_t> triangles;
};

// The surface where the grid (bohr) equals level (either sign). Cubes between
// grid points are cut into six tetrahedra along their 0-7 diagonal, so that
// neighbouring cubes agree on every face and a surface inside the grid is
// closed. Empty when no grid value reaches the level.
SurfaceMesh traceIsosurface(const OrbitalGrid& grid, double level);

// The view's 51-point grid of mo as an OrbitalGrid (x slowest).
OrbitalGrid contourGridOf(const MolecularOrbital& mo);

// The +value (0) and -value (1) surfaces: as shown (turned with the
// molecule) and as computed.
struct OrbitalSurfaces {
    double value = 0.0; // 0 until computed
    SurfaceMesh shown[2];
    SurfaceMesh computed[2];

    bool empty() const { return shown[0].triangles.empty() && shown[1].triangles.empty(); }
    // Turns the shown surfaces as the atoms turn: about Z by c, then X by a and Y by b.
    void rotate(double c, double a, double b);
    // Shown := computed.
    void restore();
    // Carries both into another frame (a file's orbital laid over the molecule shown).
    void place(const FrameAlignment& f);
};

OrbitalSurfaces traceOrbitalSurfaces(const OrbitalGrid& grid, double value);

} // namespace kalviro
