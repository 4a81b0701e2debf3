#include "document/IsotopeChange.h"

#include <cstdio>
#include <memory>

#include "document/CheckpointPairing.h"
#include "document/Document.h"
#include "platform/Messages.h"
#include "platform/Platform.h"

namespace kalviro {
namespace {

std::string fixed4(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    return text;
}

} // namespace

FrequencyJob jobOfAnalysis(const HessianInput& input, const VibrationalAnalysis& analysis) {
    FrequencyJob job;
    job.program = "Gaussian";
    for (std::size_t i = 0; i < input.atomicNumbers.size(); ++i) {
        Atom a;
        a.atomicNumber = input.atomicNumbers[i];
        a.x = input.coordinates[3 * i] * kBohrInAngstrom;
        a.y = input.coordinates[3 * i + 1] * kBohrInAngstrom;
        a.z = input.coordinates[3 * i + 2] * kBohrInAngstrom;
        job.atoms.push_back(a);
    }
    for (const NormalMode& m : analysis.modes) {
        job.frequencies.push_back(fixed4(m.frequency));
        job.intensities.push_back(analysis.hasIntensities ? fixed4(m.intensity) : std::string());
        job.symmetries.emplace_back();
        job.modes.push_back(m.displacements);
        if (analysis.hasIntensities)
            job.dipoleDerivatives.push_back(m.dipoleDerivative);
    }
    return job;
}

std::optional<std::string> changeIsotopes(Document& doc, std::string_view changes,
                                          const std::string& fileName) {
    if (!doc.hessian) {
        showMessage(fileName.substr(fileName.find_last_of("/\\") + 1) + msg::kIsotopeNoHessian);
        return std::nullopt;
    }
    auto analysis = analyseWithIsotopes(doc.hessian->input, changes);
    if (!analysis) {
        showMessage(msg::withDetail(msg::kIsotopeChangeFailed, analysis.error()));
        return std::nullopt;
    }
    // Later changes build on these masses; the file's frequencies no longer apply.
    auto next = std::make_shared<KeptHessian>(*doc.hessian);
    next->input.masses = analysis->masses;
    next->input.fileFrequencies.clear();
    doc.hessian = next;
    const KeptHessian& kept = *next;

    FrequencyJob job = jobOfAnalysis(kept.input, *analysis);
    const FrameAlignment view = loadedToCurrent(doc);
    VibrationStore& v = doc.vibrations;
    v.clearVibrations();
    v.frequencies = std::move(job.frequencies);
    v.intensities = std::move(job.intensities);
    v.symmetries = std::move(job.symmetries);
    v.intensityToKmPerMol = 1.0;
    v.savedModes.clear();
    v.savedDipoleDerivatives.clear();
    for (std::vector<Vector3>& mode : job.modes) {
        for (Vector3& d : mode)
            d = kept.toLoaded.turn(d);
        v.savedModes.push_back(mode);
        for (Vector3& d : mode)
            d = view.turn(d);
        v.modes.push_back(std::move(mode));
    }
    for (const Vector3& d : job.dipoleDerivatives) {
        v.savedDipoleDerivatives.push_back(kept.toLoaded.turn(d));
        v.dipoleDerivatives.push_back(view.turn(v.savedDipoleDerivatives.back()));
    }
    const std::string hessian = "checkpoint Hessian";
    v.sources.modes = hessian;
    v.sources.intensities = v.sources.dipoleDerivatives =
        analysis->hasIntensities ? hessian : std::string("none");
    // The old curves belong to the old masses.
    v.clearSpectra();
    v.spectrumReady = false;
    doc.view.modesLoaded = !v.modes.empty();
    doc.view.dipolesLoaded = !v.dipoleDerivatives.empty();
    doc.view.dipoleShown = doc.view.dipoleShown && doc.view.dipolesLoaded;
    return msg::kIsotopesChanged + std::string(changes);
}

} // namespace kalviro
