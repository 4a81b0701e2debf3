#include "model/FileOpening.h"

#include <memory>
#include <new>

#include "model/AnalysisReset.h"
#include "model/FileKind.h"
#include "model/GamessReader.h"
#include "model/GaussianReader.h"
#include "model/MoleculeState.h"
#include "model/TextLineReader.h"
#include "model/VibrationStore.h"
#include "model/readers/GaussianOutputReader.h"
#include "render/ViewSettings.h"

namespace kalviro {
namespace {

CheckpointOpener& checkpointOpener() {
    static CheckpointOpener opener;
    return opener;
}

bool canOpen(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> f(openForReading(path));
    return f != nullptr;
}

void tellUnsupported() {
    showMessage("このファイル形式には対応していません");
}

OpenResult readOutputFile(const std::string& path, const ReadProgress& progress) {
    bool cancelled = false;
    auto content = parseOutputFile(path, [&](std::uint64_t bytes) {
        cancelled = progress && !progress(bytes);
        return !cancelled;
    });
    if (!content) {
        if (!cancelled)
            showMessage("ファイルが開けません");
        return {};
    }
    resetAnalysis();
    installOutput(std::move(*content), moleculeState(), vibrationStore(), viewSettings());
    const ViewSettings& s = viewSettings();
    const bool loaded = s.modesLoaded == 1 || s.dipolesLoaded == 1;
    vibrationStore().saveVectors();
    return {true, loaded};
}

OpenResult readByKind(FileKind kind, const std::string& path, const ReadProgress& progress) {
    switch (kind) {
    case FileKind::Checkpoint:
        return {checkpointOpener()(path), false};
    case FileKind::GamessInput:
        return {GamessReader().read(path), false};
    case FileKind::GaussianInput:
        resetAnalysis();
        return {GaussianReader().readAtoms(moleculeState(), path), false};
    case FileKind::GaussianOutput:
        return readOutputFile(path, progress);
    case FileKind::Unsupported:
        break;
    }
    return {};
}

} // namespace

void setCheckpointOpener(CheckpointOpener opener) {
    checkpointOpener() = std::move(opener);
}

OpenResult openMoleculeFile(const std::string& path, const ReadProgress& progress) {
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Unsupported || (kind == FileKind::Checkpoint && !checkpointOpener())) {
        tellUnsupported();
        return {};
    }
    // Before anything is reset: a file that cannot be read changes nothing.
    if (!canOpen(path)) {
        showMessage("ファイルが開けません");
        return {};
    }
    try {
        return readByKind(kind, path, progress);
    } catch (const std::bad_alloc&) {
        // A file too large to hold; what was installed before stays.
        showMessage("ファイルが開けません");
        return {};
    }
}

bool openGaussianFile(const std::string& path) {
    return openMoleculeFile(path).showDataSelection;
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

bool OnOpenGaussianFile() {
    const auto path = platform().chooseOpenPath(gaussianOpenRequest());
    if (!path)
        return false;
    return openGaussianFile(*path);
}

OpenResult openGamessFile() {
    const auto path = platform().chooseOpenPath(gamessOpenRequest());
    if (!path)
        return {};
    return openMoleculeFile(*path);
}

} // namespace kalviro
