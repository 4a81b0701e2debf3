#pragma once
// Dipole derivatives for the modes an output file prints, taken from the
// checkpoint file of the same job: its Hessian's modes matched to the
// output's by their displacements, or, without a Hessian, the output's own
// displacements times the atomic polar tensor.

#include <vector>

#include "model/VibrationalAnalysis.h"
#include "model/readers/FrequencyJob.h"

namespace kalviro {

struct OutputModeDipoles {
    // Per output mode, in the output's frame, in (km/mol)^1/2: |v|^2 is the
    // output's printed IR intensity where it prints one.
    std::vector<Vector3> vectors;
    // The Hessian mode overlapping most; -1 when none lies in the frequency
    // window (or without a Hessian).
    std::vector<int> matchedMode;
    // Squared overlap (0 .. 1) of the output's mode with the span of the
    // Hessian modes it was matched to.
    std::vector<double> overlap;
    // The output's high-precision table gave the displacements.
    bool fromPreciseModes = false;
};

// Matches every output mode to the Hessian's modes within 1 % of its
// frequency by the overlap of their mass-weighted displacements, after the
// checkpoint's frame is turned onto the output's; degenerate modes match as
// a subspace. Fails when the two files hold different molecules or the
// checkpoint has no polar tensor.
ReadResult<OutputModeDipoles> dipolesForOutputModes(const FrequencyJob& output,
                                                    const HessianInput& checkpoint,
                                                    const VibrationalAnalysis& analysis);

// Without a Hessian: each output mode's displacements (the high-precision
// ones where the output has them), normalised in the mass-weighted metric,
// times the polar tensor. checkpoint needs the atoms,
// coordinates, polar tensor and, optionally, masses; its Hessian may be
// empty.
ReadResult<OutputModeDipoles> dipolesFromOutputDisplacements(const FrequencyJob& output,
                                                             const HessianInput& checkpoint);

struct CheckpointSections;

// Both of the above for an output and the checkpoint file of the same job:
// through the Hessian's modes when the file has a Hessian, else from the
// output's displacements.
ReadResult<OutputModeDipoles> dipolesFromCheckpoint(const FrequencyJob& output,
                                                    const CheckpointSections& file);

} // namespace kalviro
