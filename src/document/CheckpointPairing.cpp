#include "document/CheckpointPairing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "document/Document.h"
#include "document/IsotopeChange.h"
#include "model/FrameAlignment.h"
#include "model/ModeDipoles.h"
#include "model/readers/CheckpointSections.h"
#include "platform/Messages.h"
#include "platform/Platform.h"

namespace kalviro {
namespace {

namespace fs = std::filesystem;

std::string lowered(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The open output as the pairing reads it, in the frame it was loaded in:
// the view may have turned atoms and modes since.
FrequencyJob loadedJob(const Document& doc) {
    const VibrationStore& v = doc.vibrations;
    FrequencyJob job;
    for (const Atom& a : doc.molecule.atoms) {
        Atom p;
        p.atomicNumber = a.atomicNumber;
        p.x = a.loadedPosition.x;
        p.y = a.loadedPosition.y;
        p.z = a.loadedPosition.z;
        job.atoms.push_back(p);
    }
    job.frequencies = v.frequencies;
    job.intensities = v.intensities;
    job.intensityToKmPerMol = v.intensityToKmPerMol;
    job.modes = v.savedModes.size() == v.modes.size() ? v.savedModes : v.modes;
    job.preciseModes = v.preciseModes;
    return job;
}

void fail(const std::string& path, const std::string& why) {
    showMessage(msg::withDetail(msg::kPairingFailed + fs::path(path).filename().string(), why));
}

// The file's Hessian stays with the document, with the turn of its frame
// onto the output's, so that masses can be changed later.
void keepHessian(Document& doc, const FrequencyJob& job, const CheckpointSections& file) {
    auto input = hessianInputFromCheckpoint(file);
    if (!input)
        return;
    std::vector<int> numbers;
    std::vector<Vector3> from, to;
    for (std::size_t a = 0; a < job.atoms.size(); ++a) {
        numbers.push_back(job.atoms[a].atomicNumber);
        to.push_back(job.atoms[a].position());
    }
    for (std::size_t a = 0; 3 * a + 2 < input->coordinates.size(); ++a)
        from.push_back({input->coordinates[3 * a] * kBohrInAngstrom,
                        input->coordinates[3 * a + 1] * kBohrInAngstrom,
                        input->coordinates[3 * a + 2] * kBohrInAngstrom});
    auto turn = alignSameMolecule(input->atomicNumbers, from, numbers, to);
    if (!turn)
        return;
    if (turn->axisOpen) {
        // A linear molecule: the modes fix the turn about its axis.
        auto analysis = analyseHessian(*input);
        if (!analysis || analysis->modes.size() != job.modes.size())
            return;
        std::vector<std::vector<Vector3>> modes;
        for (const NormalMode& m : analysis->modes)
            modes.push_back(m.displacements);
        *turn = alignFramesWithModes(from, to, modes, job.modes);
    }
    doc.hessian = std::make_shared<const KeptHessian>(KeptHessian{std::move(*input), *turn});
}

} // namespace

FrameAlignment loadedToCurrent(const Document& doc) {
    const std::vector<Atom>& atoms = doc.molecule.atoms;
    std::vector<Vector3> loaded, current;
    for (const Atom& a : atoms) {
        loaded.push_back(a.loadedPosition);
        current.push_back(a.position());
    }
    const bool turned = !std::equal(loaded.begin(), loaded.end(), current.begin(), current.end(),
                                    [](const Vector3& a, const Vector3& b) {
                                        return a.x == b.x && a.y == b.y && a.z == b.z;
                                    });
    return turned ? alignFrames(loaded, current) : FrameAlignment{};
}

std::optional<std::string> checkpointBeside(const std::string& outputPath) {
    const fs::path output(outputPath);
    const std::string stem = output.stem().string();
    fs::path dir = output.parent_path();
    if (dir.empty())
        dir = ".";
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    // Sorted, so that the choice among several does not depend on the
    // directory's order.
    std::optional<std::string> found;
    for (; !ec && it != end; it.increment(ec)) {
        const fs::path p = it->path();
        const std::string ext = lowered(p.extension().string());
        if (p.stem().string() == stem && (ext == ".fchk" || ext == ".fch") &&
            it->is_regular_file(ec) && (!found || p.string() < *found))
            found = p.string();
    }
    return found;
}

bool wantsCheckpointVectors(const Document& doc) {
    return !doc.vibrations.modes.empty() && doc.vibrations.dipoleDerivatives.empty();
}

std::optional<std::string> addCheckpointVectors(Document& doc, const std::string& checkpointPath) {
    VibrationStore& v = doc.vibrations;
    if (v.modes.empty()) {
        showMessage(msg::kPairingNoModes);
        return std::nullopt;
    }
    auto file = readCheckpointSections(checkpointPath);
    if (!file) {
        fail(checkpointPath, file.error());
        return std::nullopt;
    }
    const FrequencyJob job = loadedJob(doc);
    auto dipoles = dipolesFromCheckpoint(job, *file);
    if (!dipoles) {
        fail(checkpointPath, dipoles.error());
        return std::nullopt;
    }
    // The loaded frame's vectors are the saved copies; the current ones
    // follow the turns the view made since.
    const FrameAlignment view = loadedToCurrent(doc);
    v.savedDipoleDerivatives = dipoles->vectors;
    v.dipoleDerivatives.clear();
    for (const Vector3& d : dipoles->vectors)
        v.dipoleDerivatives.push_back(view.turn(d));
    doc.view.dipolesLoaded = true;
    const bool throughHessian = file->find("Cartesian Force Constants") != nullptr;
    if (throughHessian)
        keepHessian(doc, job, *file);
    v.sources.dipoleDerivatives = throughHessian ? "checkpoint Hessian" : "checkpoint APT";
    return (throughHessian              ? msg::kPairedFromHessian
            : dipoles->fromPreciseModes ? msg::kPairedFromPreciseModes
                                        : msg::kPairedFromOutputModes) +
           fs::path(checkpointPath).filename().string();
}

} // namespace kalviro
