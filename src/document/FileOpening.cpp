#include "document/FileOpening.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "document/AnalysisReset.h"
#include "document/Document.h"
#include "document/IsotopeChange.h"
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
#include "model/FrameAlignment.h"
#include "orbital/MoldenReader.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

bool canOpen(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> f(openForReading(path));
    return f != nullptr;
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
    store.program = std::move(content.program);
    store.frequencies = std::move(content.frequencies);
    store.intensities = std::move(content.intensities);
    store.symmetries = std::move(content.symmetries);
    store.ramanActivities = std::move(content.ramanActivities);
    // One species per mode: where the program prints none they stay empty
    // (no made-up species).
    store.symmetries.resize(store.frequencies.size());
    store.modes = std::move(content.modes);
    store.preciseModes = std::move(content.preciseModes);
    store.dipoleDerivatives = std::move(content.dipoleDerivatives);
    store.intensityToKmPerMol = content.intensityToKmPerMol;
    markOutputSources(store);
    if (!store.modes.empty())
        settings.modesLoaded = true;
    if (!store.dipoleDerivatives.empty())
        settings.dipolesLoaded = true;
    replaceAtoms(doc.molecule, content.atoms, ElementSource::ByNumber);
}

// The start of the file, where the programs print their banners; empty
// when it cannot be read.
std::string headOfFile(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> f(openForReading(path));
    if (!f)
        return {};
    std::string head(kOutputBannerBytes, '\0');
    head.resize(std::fread(head.data(), 1, head.size(), f.get()));
    return head;
}

// The document being opened into, the file, and what the window adds.
struct Opening {
    Document& doc;
    const std::string& path;
    const OpenSteps& steps;

    // Everything of the previous file goes; only after the new one was read.
    void replace() const { resetForNewFile(doc, steps.closeAnalysisDialogs); }
    OpenResult fail(const std::string& reason) const {
        showMessage(msg::fileProblem(path, reason));
        return {};
    }
};

OpenResult loadedResult(const Document& doc) {
    OpenResult r;
    r.read = true;
    r.showDataSelection = doc.view.modesLoaded || doc.view.dipolesLoaded;
    const VibrationStore& v = doc.vibrations;
    if (!v.program.empty())
        r.statusText = msg::outputStatus(v.program, !v.frequencies.empty());
    else if (v.frequencies.empty())
        r.statusText = msg::kNoVibrationData;
    return r;
}

OpenResult atomsOnlyResult() {
    OpenResult r;
    r.read = true;
    return r;
}

OpenResult installJob(const Opening& o, FrequencyJob job) {
    if (job.atoms.empty())
        return o.fail(msg::kReasonNoAtoms);
    o.replace();
    installOutput(std::move(job), o.doc);
    o.doc.vibrations.saveVectors();
    return loadedResult(o.doc);
}

// ORCA, Q-Chem, GAMESS, Firefly, Psi4 and NWChem outputs share the
// extensions of Gaussian's; their banner tells them apart.
OpenResult readOtherProgramFile(const Opening& o) {
    auto job = readOtherProgramOutputFile(o.path);
    if (!job) {
        // The reader's text starts with the path; the message names the
        // file as every other failed open does.
        std::string reason = job.error();
        const std::string prefix = o.path + "：";
        if (reason.rfind(prefix, 0) == 0)
            reason.erase(0, prefix.size());
        return o.fail(reason);
    }
    return installJob(o, std::move(*job));
}

OpenResult readOutputFile(const Opening& o) {
    const std::string head = headOfFile(o.path);
    const OutputProgram program = detectOutputProgram(head);
    if (program != OutputProgram::Gaussian && program != OutputProgram::Unknown)
        return readOtherProgramFile(o);
    const ReadProgress& progress = o.steps.progress;
    bool cancelled = false;
    auto content = parseOutputFile(o.path, [&](std::uint64_t bytes) {
        cancelled = progress && !progress(bytes);
        return !cancelled;
    });
    if (!content && cancelled)
        return {};
    // Without a banner and without anything the Gaussian reader knows, the
    // file is of a kind this program does not read.
    if (program == OutputProgram::Unknown && (!content || content->atoms.empty()))
        return o.fail(msg::kUnsupportedFile);
    if (!content)
        return o.fail(msg::kReasonNotOutput);
    content->program = gaussianRelease(head);
    return installJob(o, std::move(*content));
}

// Inputs carry atoms only; the previous file's modes go with it.
OpenResult installInputAtoms(const Opening& o, const std::vector<Atom>& atoms,
                             ElementSource source) {
    if (atoms.empty())
        return o.fail(msg::kReasonNoAtoms);
    o.replace();
    replaceAtoms(o.doc.molecule, atoms, source);
    return atomsOnlyResult();
}

OpenResult readGaussianInputFile(const Opening& o) {
    InputReadResult r = parseInputFile(o.path);
    switch (r.status) {
    case InputReadStatus::CannotOpen:
        return o.fail(msg::kReasonUnreadable);
    case InputReadStatus::BadZMatrix:
        return o.fail(msg::kBadZMatrix);
    case InputReadStatus::Ok:
        break;
    }
    return installInputAtoms(o, r.atoms, ElementSource::BySymbol);
}

OpenResult readGamessInputFile(const Opening& o) {
    GamessReadResult r = parseGamessFile(o.path);
    switch (r.status) {
    case GamessReadStatus::CannotOpen:
        return o.fail(msg::kReasonUnreadable);
    case GamessReadStatus::BadGroup:
        return o.fail(msg::kBadDataGroup);
    case GamessReadStatus::Ok:
        break;
    }
    return installInputAtoms(o, r.atoms, ElementSource::ByNumber);
}

void markCheckpointSources(VibrationStore& store) {
    for (std::string* s : {&store.sources.modes, &store.sources.intensities,
                           &store.sources.dipoleDerivatives})
        if (*s == "output")
            *s = "checkpoint Hessian";
}

// Whether every atom stands within 1e-3 angstrom of its partner as it is.
bool standsAlike(const std::vector<Vector3>& a, const std::vector<Vector3>& b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] - b[i]).length() > 1e-3)
            return false;
    return true;
}

// The molecule and its vectors back to where they were loaded, where the
// orbital is computed.
void restoreLoadedOrientation(Document& doc) {
    MoleculeState& m = doc.molecule;
    restoreAllPositions(m);
    doc.vibrations.restoreVectors();
    clearPendingRotation(m);
    m.rotationX = m.rotationY = m.rotationZ = 0.0f;
    m.viewValue = 0.0f;
}

// The orbital code's bohr (orbital/MolecularOrbital.h), so that the atoms sit
// in their contours.
constexpr double kOrbitalBohr = 0.529167;

// A file that carries only orbitals (atoms in bohr). When its atoms are the
// molecule shown, turned or not, its orbital is laid over that molecule in
// the molecule's frame; otherwise its atoms replace the document.
OpenResult readOrbitalOnly(const Opening& o, const std::vector<OrbitalAtom>& fileAtoms,
                           bool hasOrbitals) {
    std::vector<Atom> atoms(fileAtoms.size());
    std::vector<int> fromNumbers, toNumbers;
    std::vector<Vector3> from, to;
    for (std::size_t a = 0; a < fileAtoms.size(); ++a) {
        atoms[a].atomicNumber = fileAtoms[a].atomicNumber;
        atoms[a].x = fileAtoms[a].position[0] * kOrbitalBohr;
        atoms[a].y = fileAtoms[a].position[1] * kOrbitalBohr;
        atoms[a].z = fileAtoms[a].position[2] * kOrbitalBohr;
        fromNumbers.push_back(atoms[a].atomicNumber);
        from.push_back(atoms[a].position());
    }
    for (const Atom& a : o.doc.molecule.atoms) {
        toNumbers.push_back(a.atomicNumber);
        to.push_back(a.loadedPosition);
    }
    const auto fit = alignSameMolecule(fromNumbers, from, toNumbers, to);
    OpenResult r;
    // A file without orbitals or atoms is refused by the orbital's own open, changing nothing.
    if (fit || !hasOrbitals || atoms.empty()) {
        std::optional<FrameAlignment> placement;
        if (fit && !standsAlike(from, to))
            placement = *fit;
        if (fit)
            restoreLoadedOrientation(o.doc);
        r.read = r.orbitalRead = openCheckpoint(o.doc, o.path, placement);
        return r;
    }
    o.replace();
    replaceAtoms(o.doc.molecule, atoms, ElementSource::ByNumber);
    r = atomsOnlyResult();
    r.orbitalRead = openCheckpoint(o.doc, o.path);
    return r;
}

// A checkpoint file with a Hessian replaces the document with its modes,
// then its orbital is laid over it as for any checkpoint file. Without a
// Hessian it carries only the orbital.
OpenResult readCheckpointFile(const Opening& o) {
    const std::string& path = o.path;
    auto sections = readCheckpointSections(path);
    if (sections && sections->find("Cartesian Force Constants")) {
        auto input = hessianInputFromCheckpoint(*sections);
        auto analysis = input ? analyseHessian(*input)
                              : ReadResult<VibrationalAnalysis>::failure(input.error());
        if (!analysis)
            return o.fail(analysis.error());
        OpenResult r = installJob(o, jobOfAnalysis(*input, *analysis));
        if (r.read) {
            markCheckpointSources(o.doc.vibrations);
            o.doc.hessian = std::make_shared<const KeptHessian>(KeptHessian{std::move(*input), {}});
            r.orbitalRead = openCheckpoint(o.doc, path);
        }
        return r;
    }
    std::vector<OrbitalAtom> atoms;
    if (sections) {
        const std::vector<double>& numbers = sections->values("Atomic numbers");
        const std::vector<double>& xyz = sections->values("Current cartesian coordinates");
        for (std::size_t a = 0; a < numbers.size() && 3 * a + 2 < xyz.size(); ++a)
            atoms.push_back({static_cast<int>(numbers[a]), {xyz[3 * a], xyz[3 * a + 1], xyz[3 * a + 2]}});
    }
    return readOrbitalOnly(o, atoms, sections && !sections->values("Alpha MO coefficients").empty());
}

// A Molden file with vibrations replaces the document like an output; its
// orbitals are then laid over it as a checkpoint file's are.
OpenResult readMoldenFile(const Opening& o) {
    auto contents = readMolden(o.path);
    if (!contents)
        return o.fail(contents.error());
    if (contents->frequencies) {
        OpenResult r = installJob(o, std::move(*contents->frequencies));
        if (r.read && !contents->orbitals.orbitals.empty())
            r.orbitalRead = openCheckpoint(o.doc, o.path);
        return r;
    }
    return readOrbitalOnly(o, contents->orbitals.atoms, !contents->orbitals.orbitals.empty());
}

OpenResult readByKind(const Opening& o, FileKind kind) {
    switch (kind) {
    case FileKind::Checkpoint:
        return readCheckpointFile(o);
    case FileKind::Molden:
        return readMoldenFile(o);
    case FileKind::GamessInput:
        return readGamessInputFile(o);
    case FileKind::GaussianInput:
        return readGaussianInputFile(o);
    case FileKind::GaussianOutput:
        return readOutputFile(o);
    case FileKind::Unsupported:
        break;
    }
    return {};
}

} // namespace

OpenResult openMoleculeFile(Document& doc, const std::string& path, const OpenSteps& steps) {
    const Opening o{doc, path, steps};
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Unsupported)
        return o.fail(msg::kUnsupportedFile);
    // Before anything is reset: a file that cannot be read changes nothing.
    if (!canOpen(path))
        return o.fail(msg::kReasonUnreadable);
    try {
        return readByKind(o, kind);
    } catch (const std::bad_alloc&) {
        // A file too large to hold; what was installed before stays.
        return o.fail(msg::kReasonTooLarge);
    }
}

FileDialogRequest gaussianOpenRequest() {
    FileDialogRequest r;
    // The first filter shows every file the program opens (GTK's patterns
    // tell case apart).
    r.filter =
        "対応する全てのファイル|*.log;*.out;*.LOG;*.OUT;*.dat;*.com;*.gjf;*.DAT;*.COM;*.GJF;"
        "*.inp;*.INP;*.fchk;*.FChk;*.FCHK;*.fch;*.FCH;*.molden;*.molf;*.MOLDEN|"
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
