#include "app/ProgramWiring.h"

#include "app/DataSelectionDialog.h"
#include "app/FileReadProgress.h"
#include "app/MainFrame.h"
#include "app/MoleculeView.h"
#include "document/AnalysisReset.h"
#include "model/FileKind.h"
#include "document/FileOpening.h"
#include "model/MoleculeState.h"
#include "document/OrbitalSelection.h"
#include "render/Camera.h"
#include "render/Frame.h"
#include "render/OffscreenSurface.h"
#include "render/MouseDrag.h"
#include "document/PickedAtoms.h"
#include "render/Picking.h"
#include "render/SceneRunner.h"
#include "document/ViewSettings.h"

namespace kalviro {
namespace {

void fillViewActions(MoleculeView& view) {
    ViewActions& a = view.actions();
    a.drawFrame = [](int width, int height) {
        beginFrame(width, height);
        setupCamera(moleculeState(), viewSettings());
        drawScene();
    };
    a.pickAt = [](int x, int y) { selectAt(pickedAtoms(), x, y); };
    a.panUpdate = [] { panUpdate(moleculeState()); };
    a.rotationUpdate = [](int clientWidth, int) {
        rotationUpdate(moleculeState(), 0, clientWidth);
    };
}

} // namespace

void openFileThroughDispatch(MainFrame* frame, const std::string& path) {
    OpenResult r;
    {
        FileReadProgress progress(frame, path);
        r = openMoleculeFile(path, [&progress](std::uint64_t bytes) { return progress(bytes); });
    }
    if (r.read) {
        // New atoms carry no halos; the old picks must not name them.
        if (fileKindOf(path) != FileKind::Checkpoint)
            pickedAtoms().clear();
        frame->addRecentFile(path);
    }
    if (r.showDataSelection)
        fillModeList(frame->ensureDataSelectionDialog());
    platform().redrawView();
}

void openChosenFile(MainFrame* frame, const FileDialogRequest& request) {
    if (const auto path = platform().chooseOpenPath(request))
        openFileThroughDispatch(frame, *path);
}

void wireProgram(MainFrame* frame) {
    ensureGlut();
    fillViewActions(*frame->view());
    setCheckpointOpener([frame](const std::string& path) {
        return openCheckpoint(path, frame->ensureDataSelectionDialog());
    });
    setDialogCloser(AnalysisDialog::DataSelection, [frame] { frame->closeDataSelectionDialog(); });
    setDialogCloser(AnalysisDialog::Axis, [frame] { frame->closeAxisDialog(); });
    setDialogCloser(AnalysisDialog::Preview, [frame] { frame->closePreviewDialog(); });
    setDialogCloser(AnalysisDialog::Rotation, [frame] { frame->closeRotationDialog(); });
}

} // namespace kalviro
