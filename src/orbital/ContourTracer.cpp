#include "orbital/ContourTracer.h"

#include <utility>

#include "model/ProgramError.h"

namespace kalviro {
namespace {

// Directions 1..8: (-1,0), (-1,+1), (0,+1), (+1,+1), (+1,0), (+1,-1), (0,-1),
// (-1,-1); odd ones step along an axis, even ones along a cell diagonal.
constexpr int kDi[9] = {0, -1, -1, 0, 1, 1, 1, 0, -1};
constexpr int kDj[9] = {0, 0, 1, 1, 1, 0, -1, -1, -1};

int wrap(int d) {
    return d > 8 ? d - 8 : (d <= 0 ? d + 8 : d);
}

// A closed line crosses each cell edge once, so a trace that takes more steps
// than this is going round in circles on damaged values.
constexpr long kMaxSteps = 8L * kGridSize * kGridSize * 4;

} // namespace

ContourTracer::ContourTracer(const MolecularOrbital& mo, ContourStore& store)
    : mo_(mo), store_(store), isoValue_(0.05f) {
    points_.reserve(kSegmentPoints);
}

void ContourTracer::traceAllSlices() {
    isoValue_ = 0.05f;
    std::vector<float> slice(kGridSize * kGridSize);
    const float stepX = static_cast<float>(mo_.gridStep[0] * kBohrInAngstrom);
    const float stepY = static_cast<float>(mo_.gridStep[1] * kBohrInAngstrom);
    const float stepZ = static_cast<float>(mo_.gridStep[2] * kBohrInAngstrom);

    // Planes of constant z: u = x, v = y.
    float plane = mo_.boxMin[2];
    for (int k = 0; k < kGridSize; ++k) {
        for (int j = 0; j < kGridSize; ++j)
            for (int i = 0; i < kGridSize; ++i)
                slice[j * kGridSize + i] = mo_.at(i, j, k);
        contourSlice(slice.data(), mo_.boxMin[0], mo_.boxMax[0], mo_.boxMin[1], mo_.boxMax[1], 0, 1,
                     plane);
        plane += stepZ;
    }
    // Planes of constant y: u = x, v = z.
    plane = mo_.boxMin[1];
    for (int j = 0; j < kGridSize; ++j) {
        for (int k = 0; k < kGridSize; ++k)
            for (int i = 0; i < kGridSize; ++i)
                slice[k * kGridSize + i] = mo_.at(i, j, k);
        contourSlice(slice.data(), mo_.boxMin[0], mo_.boxMax[0], mo_.boxMin[2], mo_.boxMax[2], 0, 2,
                     plane);
        plane += stepY;
    }
    // Planes of constant x: u = y, v = z.
    plane = mo_.boxMin[0];
    for (int i = 0; i < kGridSize; ++i) {
        for (int k = 0; k < kGridSize; ++k)
            for (int j = 0; j < kGridSize; ++j)
                slice[k * kGridSize + j] = mo_.at(i, j, k);
        contourSlice(slice.data(), mo_.boxMin[1], mo_.boxMax[1], mo_.boxMin[2], mo_.boxMax[2], 1, 2,
                     plane);
        plane += stepX;
    }
}

void ContourTracer::contourSlice(const float* slice, float uLower, float uUpper, float vLower,
                                 float vUpper, int uAxis, int vAxis, float plane) {
    slice_ = slice;
    uLower_ = uLower;
    vLower_ = vLower;
    uStep_ = (uUpper - uLower) * 0.02f;
    vStep_ = (vUpper - vLower) * 0.02f;
    uAxis_ = uAxis;
    vAxis_ = vAxis;
    plane_ = plane;

    signCode_ = 0;
    if (scanSlice(isoValue_))
        throw ProgramError(kTracerModule, kEdgeLinePositive);
    signCode_ = 1;
    if (scanSlice(-isoValue_))
        throw ProgramError(kTracerModule, kEdgeLineNegative);
}

// Inside means V >= level. Lines that start on the slice edge are traced and
// stored, and reported so that the caller stops.
bool ContourTracer::scanSlice(float level) {
    level_ = level;
    visited_.clear();
    visitedKey_.fill(false);
    abort_ = false;
    bool edge = false;
    const int n = kGridSize;

    for (int j = 2; j <= n && !abort_; ++j)
        if (value(n, j - 1) < level && level <= value(n, j)) {
            traceContour(n, j, 7);
            edge = true;
        }
    for (int i = n - 1; i >= 1 && !abort_; --i)
        if (value(i + 1, n) < level && level <= value(i, n)) {
            traceContour(i, n, 5);
            edge = true;
        }
    for (int j = n - 1; j >= 1 && !abort_; --j)
        if (value(1, j + 1) < level && level <= value(1, j)) {
            traceContour(1, j, 3);
            edge = true;
        }
    for (int j = 1; j <= n - 1 && !abort_; ++j)
        for (int i = 2; i <= n - 1 && !abort_; ++i)
            if (value(i - 1, j) < level && level <= value(i, j) && !visitedKey_[n * i + j]) {
                traceContour(i, j, 1);
                if (j == 1)
                    edge = true;
            }
    return edge;
}

bool ContourTracer::visit(int i, int j) {
    const int key = kGridSize * i + j;
    if (static_cast<int>(visited_.size()) >= kGridSize * kGridSize) {
        flushSegment(nextPoint_ - 1);
        abort_ = true;
        return false;
    }
    visited_.push_back(key);
    visitedKey_[key] = true;
    return true;
}

void ContourTracer::traceContour(int i0, int j0, int d0) {
    startI_ = i0;
    startJ_ = j0;
    startD_ = d0;
    nextPoint_ = 1;
    diagonalTurn_ = false;
    steps_ = 0;

    Step r = stepContour(i0, j0, d0);
    if (r == Step::Ends) {
        if (!visit(i0, j0))
            return;
    } else if (r != Step::Crossed) {
        throw ProgramError(kTracerModule, kInconsistentStepLine);
    }

    int i = i0;
    int j = j0;
    int d = d0;
    bool running = true;
    while (running) {
        if (++steps_ > kMaxSteps) {
            flushSegment(nextPoint_ - 1);
            abort_ = true;
            return;
        }
        d = wrap(d + 1);
        const int di = kDi[d]; // the offsets remembered for a move
        const int dj = kDj[d];
        r = stepContour(i, j, d);
        bool dispatch = true;
        while (dispatch) {
            dispatch = false;
            switch (r) {
            case Step::Crossed:
                if (d == 1 && !visit(i, j))
                    return;
                break;
            case Step::DiagonalInside: { // the line turns round the far corner of a diagonal
                const int axis = wrap(d + 1);
                diagonalTurn_ = true;
                const Step r2 = stepContour(i + kDi[axis], j + kDj[axis], axis - 3);
                if (r2 == Step::Crossed) {
                    d = wrap(axis + 4);
                    i += di;
                    j += dj;
                    r = stepContour(i, j, d);
                    dispatch = true;
                } else if (r2 == Step::Ends) {
                    running = false;
                } else {
                    throw ProgramError(kTracerModule, kInconsistentStepLine);
                }
                break;
            }
            case Step::NeighbourInside: { // the neighbour is inside: move onto it and look back
                d = wrap(d + 5);
                i += di;
                j += dj;
                const bool farBefore = lastPointFar_;
                const Step r2 = stepContour(i, j, d);
                if (r2 == Step::Crossed || r2 == Step::DiagonalInside) {
                    if (farBefore && lastPointFar_ && nextPoint_ >= 3)
                        std::swap(segmentU_[nextPoint_ - 1], segmentU_[nextPoint_ - 2]),
                            std::swap(segmentV_[nextPoint_ - 1], segmentV_[nextPoint_ - 2]);
                } else if (r2 == Step::Ends) {
                    running = false;
                } else {
                    throw ProgramError(kTracerModule, kInconsistentStepLine);
                }
                break;
            }
            default:
                running = false;
                break;
            }
        }
    }
    flushSegment(nextPoint_ - 1);
}

ContourTracer::Step ContourTracer::stepContour(int i, int j, int d) {
    const int dd = wrap(d);
    const int di = kDi[dd];
    const int dj = kDj[dd];
    const int i2 = i + di;
    const int j2 = j + dj;
    if (i2 < 1 || i2 > kGridSize || j2 < 1 || j2 > kGridSize)
        return Step::Ends;
    const float u = uLower_ + static_cast<float>(i - 1) * uStep_;
    const float v = vLower_ + static_cast<float>(j - 1) * vStep_;
    const float here = value(i, j);
    const float level = level_;
    float pu;
    float pv;
    if (dd % 2 == 1) {
        if (value(i2, j2) >= level)
            return Step::NeighbourInside;
        if (di == 0) {
            pu = u;
            pv = v + static_cast<float>(dj) * vStep_ * (here - level) / (here - value(i, j2));
        } else {
            pu = u + static_cast<float>(di) * uStep_ * (here - level) / (here - value(i2, j));
            pv = v;
        }
        lastPointFar_ = false;
    } else {
        const float far = value(i2, j2);
        const float centre = (value(i2, j) + value(i, j2) + far + here) * 0.25f;
        float t;
        if (centre < level && !diagonalTurn_) {
            t = 0.5f * (here - level) / (here - centre);
            lastPointFar_ = false;
        } else if (far >= level && centre >= level) {
            return Step::DiagonalInside;
        } else {
            t = 1.0f - 0.5f * (far - level) / (far - centre);
            lastPointFar_ = true;
            diagonalTurn_ = false;
        }
        pu = u + t * static_cast<float>(di) * uStep_;
        pv = v + t * static_cast<float>(dj) * vStep_;
    }
    segmentU_[nextPoint_] = pu;
    segmentV_[nextPoint_] = pv;
    ++nextPoint_;

    if (i == startI_ && j == startJ_ && d == startD_)
        return Step::Ends;
    if (nextPoint_ > kSegmentPoints) {
        flushSegment(kSegmentPoints);
        segmentU_[1] = segmentU_[kSegmentPoints];
        segmentV_[1] = segmentV_[kSegmentPoints];
        nextPoint_ = 2;
    }
    return Step::Crossed;
}

void ContourTracer::flushSegment(int count) {
    if (count <= 0)
        return;
    const int wAxis = 3 - uAxis_ - vAxis_;
    points_.clear();
    for (int k = 1; k <= count; ++k) {
        double p[3];
        p[uAxis_] = segmentU_[k];
        p[vAxis_] = segmentV_[k];
        p[wAxis] = plane_;
        points_.push_back({p[0], p[1], p[2]});
    }
    store_.appendLoop(signCode_, points_);
}

ContourStore traceAllSlices(const MolecularOrbital& mo) {
    ContourStore store;
    ContourTracer tracer(mo, store);
    tracer.traceAllSlices();
    return store;
}

} // namespace kalviro
