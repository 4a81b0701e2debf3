#include "model/ModeDipoles.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/FrameAlignment.h"
#include "model/Isotopes.h"
#include "model/NumberText.h"
#include "model/readers/CheckpointSections.h"
#include "platform/Messages.h"

namespace kalviro {

namespace {

// Texts the user sees.

// A Hessian mode joins an output mode's match when the square of their
// overlap is at least this: the two-decimal rounding of printed
// displacements leaves well under 1e-3 on modes of other symmetry, while a
// degenerate pair splits an output mode between its members.
constexpr double kSubspaceShare = 0.02;
// Frequency window: 1 %, at least half a wavenumber.
constexpr double kWindowFraction = 0.01;
constexpr double kWindowFloor = 0.5;

double dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vector3 scaled(const Vector3& v, double s) {
    return {v.x * s, v.y * s, v.z * s};
}

struct Frames {
    FrameAlignment alignment;
    std::vector<double> masses;
};

std::vector<Vector3> checkpointPositions(const HessianInput& in) {
    std::vector<Vector3> p(in.atomicNumbers.size());
    for (std::size_t a = 0; a < p.size() && 3 * a + 2 < in.coordinates.size(); ++a)
        p[a] = {in.coordinates[3 * a] * kBohrInAngstrom,
                in.coordinates[3 * a + 1] * kBohrInAngstrom,
                in.coordinates[3 * a + 2] * kBohrInAngstrom};
    return p;
}

// Checks the pair and turns the checkpoint's frame onto the output's.
ReadResult<Frames> alignFiles(const FrequencyJob& output, const HessianInput& in,
                              const std::vector<std::vector<Vector3>>& checkpointModes) {
    using Result = ReadResult<Frames>;
    if (in.polarTensor.size() != 9 * in.atomicNumbers.size() || in.polarTensor.empty())
        return Result::failure(msg::kModeDipoleNoPolarTensor);
    std::vector<int> outNumbers;
    std::vector<Vector3> outPositions;
    for (const Atom& a : output.atoms) {
        outNumbers.push_back(a.atomicNumber);
        outPositions.push_back(a.position());
    }
    const std::vector<Vector3> from = checkpointPositions(in);
    auto same = alignSameMolecule(in.atomicNumbers, from, outNumbers, outPositions);
    if (!same)
        return Result::failure(same.error());
    Frames f;
    f.alignment = *same;
    if (f.alignment.axisOpen && checkpointModes.size() == output.modes.size())
        f.alignment = alignFramesWithModes(from, outPositions, checkpointModes, output.modes);
    for (std::size_t k = 0; k < output.modes.size(); ++k)
        if (output.modes[k].size() != from.size())
            return Result::failure(msg::kModeDipoleModeCount + std::to_string(k + 1));
    f.masses = in.masses;
    if (f.masses.empty())
        for (std::size_t a = 0; a < in.atomicNumbers.size(); ++a) {
            const auto m = standardIsotopeMass(in.atomicNumbers[a]);
            if (!m)
                return Result::failure(msg::kHessianNoStandardMass + std::to_string(a + 1));
            f.masses.push_back(*m);
        }
    return f;
}

// The output mode in the checkpoint's frame, mass-weighted, unit length;
// empty when it has no length.
std::vector<double> massWeightedMode(const std::vector<Vector3>& mode, const Frames& f) {
    std::vector<double> w(3 * mode.size());
    double norm2 = 0.0;
    for (std::size_t a = 0; a < mode.size(); ++a) {
        const Vector3 d = f.alignment.turnBack(mode[a]);
        const double s = std::sqrt(f.masses[a]);
        w[3 * a] = d.x * s;
        w[3 * a + 1] = d.y * s;
        w[3 * a + 2] = d.z * s;
        norm2 += d.x * d.x * f.masses[a] + d.y * d.y * f.masses[a] + d.z * d.z * f.masses[a];
    }
    if (!(norm2 > 0.0))
        return {};
    for (double& x : w)
        x /= std::sqrt(norm2);
    return w;
}

// v turned into the output's frame and scaled so that |v|^2 is the printed
// intensity, where the output prints one.
Vector3 finish(const Vector3& v, const FrequencyJob& output, std::size_t k, const Frames& f) {
    Vector3 out = f.alignment.turn(v);
    double printed = 0.0;
    if (k < output.intensities.size() && parseWholeNumber(output.intensities[k], printed)) {
        printed *= output.intensityToKmPerMol;
        const double length = std::sqrt(dot(out, out));
        out = length > 0.0 && printed > 0.0 ? scaled(out, std::sqrt(printed) / length) : Vector3{};
    }
    return out;
}

} // namespace

ReadResult<OutputModeDipoles> dipolesForOutputModes(const FrequencyJob& output,
                                                    const HessianInput& checkpoint,
                                                    const VibrationalAnalysis& analysis) {
    using Result = ReadResult<OutputModeDipoles>;
    std::vector<std::vector<Vector3>> checkpointModes;
    for (const NormalMode& m : analysis.modes)
        checkpointModes.push_back(m.displacements);
    auto frames = alignFiles(output, checkpoint, checkpointModes);
    if (!frames)
        return Result::failure(frames.error());
    Frames& f = *frames;
    f.masses = analysis.masses.empty() ? f.masses : analysis.masses;

    OutputModeDipoles result;
    for (std::size_t k = 0; k < output.modes.size(); ++k) {
        const double frequency =
            k < output.frequencies.size() ? parseNumber(output.frequencies[k]) : 0.0;
        const double window = std::max(kWindowFraction * std::abs(frequency), kWindowFloor);
        const std::vector<double> w = massWeightedMode(output.modes[k], f);
        int best = -1;
        double bestC = 0.0;
        std::vector<std::pair<std::size_t, double>> members;
        for (std::size_t j = 0; j < analysis.modes.size() && !w.empty(); ++j) {
            const NormalMode& m = analysis.modes[j];
            if (std::abs(m.frequency - frequency) > window || m.massWeighted.size() != w.size())
                continue;
            double c = 0.0;
            for (std::size_t i = 0; i < w.size(); ++i)
                c += w[i] * m.massWeighted[i];
            if (c * c > bestC * bestC) {
                bestC = c;
                best = static_cast<int>(j);
            }
            if (c * c >= kSubspaceShare)
                members.emplace_back(j, c);
        }
        if (members.empty() && best >= 0)
            members.emplace_back(static_cast<std::size_t>(best), bestC);
        // The output mode's projection on the matched span, as a unit mode:
        // its dipole derivative is the same combination of theirs.
        Vector3 v;
        double share = 0.0;
        for (const auto& [j, c] : members) {
            const Vector3& mu = analysis.modes[j].dipoleDerivative;
            v = {v.x + c * mu.x, v.y + c * mu.y, v.z + c * mu.z};
            share += c * c;
        }
        if (share > 0.0)
            v = scaled(v, 1.0 / std::sqrt(share));
        result.vectors.push_back(finish(v, output, k, f));
        result.matchedMode.push_back(best);
        result.overlap.push_back(share);
    }
    return result;
}

ReadResult<OutputModeDipoles> dipolesFromOutputDisplacements(const FrequencyJob& output,
                                                             const HessianInput& checkpoint) {
    using Result = ReadResult<OutputModeDipoles>;
    auto frames = alignFiles(output, checkpoint, {});
    if (!frames)
        return Result::failure(frames.error());
    OutputModeDipoles result;
    // Two decimals turn a weak mode's vector by tens of degrees; five do not.
    result.fromPreciseModes = output.preciseModes.size() == output.modes.size() &&
                              !output.modes.empty();
    for (std::size_t k = 0; k < output.modes.size() && result.fromPreciseModes; ++k)
        result.fromPreciseModes = output.preciseModes[k].size() == output.modes[k].size();
    const auto& modes = result.fromPreciseModes ? output.preciseModes : output.modes;
    for (std::size_t k = 0; k < output.modes.size(); ++k) {
        const std::vector<double> w = massWeightedMode(modes[k], *frames);
        const Vector3 v =
            w.empty() ? Vector3{} : dipoleDerivativeOf(w, frames->masses, checkpoint.polarTensor);
        result.vectors.push_back(finish(v, output, k, *frames));
        result.matchedMode.push_back(-1);
        result.overlap.push_back(0.0);
    }
    return result;
}

ReadResult<OutputModeDipoles> dipolesFromCheckpoint(const FrequencyJob& output,
                                                    const CheckpointSections& file) {
    using Result = ReadResult<OutputModeDipoles>;
    auto in = hessianInputFromCheckpoint(file, false);
    if (!in)
        return Result::failure(in.error());
    if (in->hessian.empty())
        return dipolesFromOutputDisplacements(output, *in);
    auto analysis = analyseHessian(*in);
    if (!analysis)
        return Result::failure(analysis.error());
    return dipolesForOutputModes(output, *in, *analysis);
}

} // namespace kalviro
