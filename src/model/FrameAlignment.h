#pragma once
// The best rotation of one set of coordinates onto another of the same atoms
// (Kabsch), to carry vectors from one file's frame into another's: a
// checkpoint file and an output of one job may hold the molecule turned.

#include <vector>

#include "model/Vector3.h"
#include "model/readers/ReadResult.h"

namespace kalviro {

struct FrameAlignment {
    double rotation[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}; // proper (det +1)
    Vector3 fromCentre;                                        // centroids of the two sets
    Vector3 toCentre;
    double rmsDeviation = 0.0; // after the rotation, in the coordinates' unit
    double maxDeviation = 0.0;
    // The points lie on a line: the turn about it is not fixed by them.
    bool axisOpen = false;

    // A vector (displacement, dipole) of the from-frame in the to-frame.
    Vector3 turn(const Vector3& v) const;
    // The inverse turn: a to-frame vector in the from-frame.
    Vector3 turnBack(const Vector3& v) const;
    // A position of the from-frame in the to-frame.
    Vector3 place(const Vector3& p) const;
};

// The proper rotation about the centroids that brings from closest to to
// (least squares, equal weights). The sets have the same size.
FrameAlignment alignFrames(const std::vector<Vector3>& from, const std::vector<Vector3>& to);

// As alignFrames; for points on a line, the turn about the line is chosen so
// that each from-mode, turned, overlaps its to-mode (same index, sign free)
// as well as possible. Modes are [mode][atom] displacements.
FrameAlignment alignFramesWithModes(const std::vector<Vector3>& from,
                                    const std::vector<Vector3>& to,
                                    const std::vector<std::vector<Vector3>>& fromModes,
                                    const std::vector<std::vector<Vector3>>& toModes);

// The alignment when both are the same molecule: the same atomic numbers in
// the same order and every atom within tolerance (angstrom, like the
// positions) after the best rotation; otherwise why not (another molecule).
ReadResult<FrameAlignment> alignSameMolecule(const std::vector<int>& fromNumbers,
                                             const std::vector<Vector3>& from,
                                             const std::vector<int>& toNumbers,
                                             const std::vector<Vector3>& to,
                                             double tolerance = 1e-3);

} // namespace kalviro
