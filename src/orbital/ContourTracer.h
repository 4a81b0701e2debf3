#pragma once
// Contour lines of the orbital: the grid is cut into 3 x 51 slices and on
// each slice the lines where the orbital equals +isoValue and -isoValue are
// followed cell by cell and stored as closed loops of 3D points (angstrom).

#include <array>
#include <cstdint>
#include <vector>

#include "orbital/ContourStore.h"
#include "orbital/MolecularOrbital.h"

namespace kalviro {

// Source name and lines that identify the tracing failures in the error text
// the user sees; they stay as that text has always read.
inline constexpr const char* kTracerModule = "KALVIROMolecularOrbital";
constexpr int kEdgeLinePositive = 369;
constexpr int kEdgeLineNegative = 384;
constexpr int kInconsistentStepLine = 590;

// Longest run of points stored as one loop; a longer line continues in the
// next loop, which starts with the last point of the one before.
constexpr int kSegmentPoints = 850;

class ContourTracer {
  public:
    // Loops go to store; the box bounds of mo give the slice coordinates.
    ContourTracer(const MolecularOrbital& mo, ContourStore& store);

    // The three slice passes. Throws ProgramError when a line touches
    // the edge of a slice or a step contradicts the one before.
    void traceAllSlices();

    // Both levels on one slice of 51 x 51 values (row v, column u, u fastest),
    // with u and v ranges in angstrom; plane is the third coordinate.
    void contourSlice(const float* slice, float uLower, float uUpper, float vLower, float vUpper,
                      int uAxis, int vAxis, float plane);

  private:
    // What one step from a grid point towards a neighbour found.
    enum class Step {
        Crossed = 1,         // the line crosses between them: a point was stored
        DiagonalInside = 2,  // diagonal step with the far corner and cell centre inside
        NeighbourInside = 3, // the neighbour is inside: the line passes beyond it
        Ends = 4,            // off the slice, or back where the line started
    };

    bool scanSlice(float level);
    void traceContour(int i0, int j0, int d0);
    Step stepContour(int i, int j, int d);
    void flushSegment(int count);
    bool visit(int i, int j);

    float value(int i, int j) const { return slice_[(j - 1) * kGridSize + (i - 1)]; }

    const MolecularOrbital& mo_;
    ContourStore& store_;
    float isoValue_ = 0.05f;

    const float* slice_ = nullptr;
    float uLower_ = 0, vLower_ = 0, uStep_ = 0, vStep_ = 0;
    float level_ = 0;
    int uAxis_ = 0, vAxis_ = 1;
    float plane_ = 0;
    std::int32_t signCode_ = 0;

    int startI_ = 0, startJ_ = 0, startD_ = 0;
    int nextPoint_ = 1;
    bool lastPointFar_ = false;
    bool diagonalTurn_ = false;
    bool abort_ = false;
    long steps_ = 0;

    std::vector<std::int32_t> visited_;
    std::array<bool, (kGridSize + 1) * (kGridSize + 1)> visitedKey_{};
    std::array<float, kSegmentPoints + 1> segmentU_{}; // positions 1 .. 850
    std::array<float, kSegmentPoints + 1> segmentV_{};
    std::vector<Vector3> points_;
};

// Traces mo into a new store, so that a failure never leaves a half-filled one.
ContourStore traceAllSlices(const MolecularOrbital& mo);

} // namespace kalviro
