#include "document/FileOpening.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "document/AnalysisReset.h"
#include "document/Document.h"
#include "model/FileKind.h"
#include "model/MoleculeState.h"
#include "model/TextLineReader.h"
#include "model/VibrationStore.h"
#include "model/VibrationalAnalysis.h"
#include "model/readers/CheckpointSections.h"
#include "model/readers/GamessInputReader.h"
#include "model/readers/GaussianInputReader.h"
#include "model/readers/GaussianOutputReader.h"
#include "model/readers/OutputProgram.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

bool canOpen(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> f(openForReading(path));
    return f != nullptr;
}

// A new molecule: the picked numbers named atoms of the one it replaces.
void installAtoms(Document& doc, const std::vector<Atom>& atoms, ElementSource source) {
    replaceAtoms(doc.molecule, atoms, source);
    doc.picked.clear();
}

// What a file gave is "output"; pairing and the checkpoint's own analysis
// change the labels afterwards.
void markOutputSources(VibrationStore& store) {
    const auto given = [](bool any) { return std::string(any ? "output" : "none"); };
    store.sources.modes = given(!store.modes.empty());
    store.sources.intensities = given(std::any_of(store.intensities.begin(), store.intensities.end(),
                                                  [](const std::string& t) { return !t.empty(); }));
    store.sources.dipoleDerivatives = given(!store.dipoleDerivatives.empty());
}

void installOutput(FrequencyJob content, Document& doc) {
    VibrationStore& store = doc.vibrations;
    ViewSettings& settings = doc.view;
    store.clearVibrations();
    store.frequencies = std::move(content.frequencies);
    store.intensities = std::move(content.intensities);
    store.symmetries = std::move(content.symmetries);
    store.modes = std::move(content.modes);
    store.dipoleDerivatives = std::move(content.dipoleDerivatives);
    store.intensityToKmPerMol = content.intensityToKmPerMol;
    markOutputSources(store);
    if (!store.modes.empty())
        settings.modesLoaded = true;
    if (!store.dipoleDerivatives.empty())
        settings.dipolesLoaded = true;
    installAtoms(doc, content.atoms, ElementSource::ByNumber);
    settings.eyeDistance = 20.0f;
}

// The program whose banner opens the file; Unknown when it cannot be read.
OutputProgram programOfFile(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> f(openForReading(path));
    if (!f)
        return OutputProgram::Unknown;
    std::string head(kOutputBannerBytes, '\0');
    head.resize(std::fread(head.data(), 1, head.size(), f.get()));
    return detectOutputProgram(head);
}

// The document being opened into and what the window adds to the opening.
struct Opening {
    Document& doc;
    const OpenSteps& steps;

    void reset() const { resetAnalysis(doc, steps.closeAnalysisDialogs); }
};

void installJob(const Opening& o, FrequencyJob job) {
    o.reset();
    installOutput(std::move(job), o.doc);
    o.doc.vibrations.saveVectors();
}

OpenResult loadedResult(const Document& doc) {
    const ViewSettings& s = doc.view;
    return {true, s.modesLoaded || s.dipolesLoaded, false};
}

// ORCA, Q-Chem, GAMESS, Firefly, Psi4 and NWChem outputs share the
// extensions of Gaussian's; their banner tells them apart.
OpenResult readOtherProgramFile(const Opening& o, const std::string& path) {
    auto job = readOtherProgramOutputFile(path);
    if (!job) {
        showMessage(job.error());
        return {};
    }
    installJob(o, std::move(*job));
    return loadedResult(o.doc);
}

OpenResult readOutputFile(const Opening& o, const std::string& path) {
    const OutputProgram program = programOfFile(path);
    if (program != OutputProgram::Gaussian && program != OutputProgram::Unknown)
        return readOtherProgramFile(o, path);
    const ReadProgress& progress = o.steps.progress;
    bool cancelled = false;
    auto content = parseOutputFile(path, [&](std::uint64_t bytes) {
        cancelled = progress && !progress(bytes);
        return !cancelled;
    });
    if (!content) {
        if (!cancelled)
            showMessage(msg::kCannotOpenFile);
        return {};
    }
    installJob(o, std::move(*content));
    return loadedResult(o.doc);
}

// The analysis is reset before the input is read, so a Z-matrix that cannot
// be read still leaves the previous molecule in its loaded orientation.
bool readGaussianInputFile(const Opening& o, const std::string& path) {
    o.reset();
    InputReadResult r = parseInputFile(path);
    switch (r.status) {
    case InputReadStatus::CannotOpen:
        showMessage(msg::kCannotOpenFile);
        return false;
    case InputReadStatus::BadZMatrix:
        showMessage(msg::kBadZMatrix);
        return false;
    case InputReadStatus::Ok:
        break;
    }
    installAtoms(o.doc, r.atoms, ElementSource::BySymbol);
    o.doc.view.eyeDistance = 20.0f;
    return true;
}

// A GAMESS input replaces the atoms only.
bool readGamessInputFile(Document& doc, const std::string& path) {
    GamessReadResult r = parseGamessFile(path);
    switch (r.status) {
    case GamessReadStatus::CannotOpen:
        showMessage(msg::kCannotOpenFile);
        return false;
    case GamessReadStatus::BadGroup:
        showMessage(msg::kBadDataGroup);
        return false;
    case GamessReadStatus::Ok:
        break;
    }
    installAtoms(doc, r.atoms, ElementSource::ByNumber);
    return true;
}

std::string fixed4(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    return text;
}

// The job a frequency calculation's checkpoint file describes: its atoms,
// and the modes, intensities and dipole derivatives computed from its
// Hessian and polar tensor. Texts as Gaussian prints them; the file has no
// symmetry species.
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

void markCheckpointSources(VibrationStore& store) {
    for (std::string* s : {&store.sources.modes, &store.sources.intensities,
                           &store.sources.dipoleDerivatives})
        if (*s == "output")
            *s = "checkpoint Hessian";
}

// A checkpoint file with a Hessian replaces the document with its modes,
// then its orbital is laid over it as for any checkpoint file. Without a
// Hessian it carries only the orbital.
OpenResult readCheckpointFile(const Opening& o, const std::string& path) {
    auto sections = readCheckpointSections(path);
    if (sections && sections->find("Cartesian Force Constants")) {
        auto input = hessianInputFromCheckpoint(*sections);
        auto analysis = input ? analyseHessian(*input)
                              : ReadResult<VibrationalAnalysis>::failure(input.error());
        if (!analysis) {
            showMessage(msg::withDetail(msg::kCannotOpenFile, analysis.error()));
            return {};
        }
        installJob(o, jobOfAnalysis(*input, *analysis));
        markCheckpointSources(o.doc.vibrations);
        OpenResult r = loadedResult(o.doc);
        r.orbitalRead = openCheckpoint(o.doc, path);
        return r;
    }
    const bool read = openCheckpoint(o.doc, path);
    return {read, false, read};
}

OpenResult readByKind(const Opening& o, FileKind kind, const std::string& path) {
    switch (kind) {
    case FileKind::Checkpoint:
        return readCheckpointFile(o, path);
    case FileKind::GamessInput:
        return {readGamessInputFile(o.doc, path), false, false};
    case FileKind::GaussianInput:
        return {readGaussianInputFile(o, path), false, false};
    case FileKind::GaussianOutput:
        return readOutputFile(o, path);
    case FileKind::Unsupported:
        break;
    }
    return {};
}

} // namespace

OpenResult openMoleculeFile(Document& doc, const std::string& path, const OpenSteps& steps) {
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Unsupported) {
        showMessage(msg::kUnsupportedFile);
        return {};
    }
    // Before anything is reset: a file that cannot be read changes nothing.
    if (!canOpen(path)) {
        showMessage(msg::kCannotOpenFile);
        return {};
    }
    try {
        return readByKind(Opening{doc, steps}, kind, path);
    } catch (const std::bad_alloc&) {
        // A file too large to hold; what was installed before stays.
        showMessage(msg::kCannotOpenFile);
        return {};
    }
}

FileDialogRequest gaussianOpenRequest() {
    FileDialogRequest r;
    r.filter =
        "Gaussian94/98入力ファイル(*.dat)|*.dat|Gaussian94/98出力ファイル(*.log/*.out)|*.log;*.out|"
        "全て(*.*)|*.*||";
    r.defaultExtension = "dat";
    r.hideReadOnly = true;
    r.overwritePrompt = true;
    return r;
}

FileDialogRequest gamessOpenRequest() {
    FileDialogRequest r;
    r.filter = "Gamess入力ファイル(*.inp)|*.inp||";
    r.hideReadOnly = true;
    r.overwritePrompt = true;
    return r;
}

} // namespace kalviro
