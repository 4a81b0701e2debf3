#include "app/ProgramWiring.h"

#include <wx/utils.h>

#include "app/AppHooks.h"
#include "app/AxisDialog.h"
#include "app/DataSelectionDialog.h"
#include "app/KalviroApp.h"
#include "app/MainFrame.h"
#include "app/SpectrumPreviewDialog.h"
#include "app/RotationAngleDialog.h"
#include "app/FileReadProgress.h"
#include "app/MoleculeView.h"
#include "ir/CoordinateExport.h"
#include "ir/IrTableExport.h"
#include "ir/SpectrumExport.h"
#include "model/AnalysisReset.h"
#include "model/FileKind.h"
#include "model/FileOpening.h"
#include "model/MoleculeState.h"
#include "orbital/OrbitalSelection.h"
#include "render/BitmapWriter.h"
#include "render/Camera.h"
#include "render/Frame.h"
#include "render/MouseDrag.h"
#include "render/OffscreenSurface.h"
#include "render/PickedAtoms.h"
#include "render/Picking.h"
#include "render/SceneRunner.h"
#include "render/ViewCommands.h"
#include "render/ViewSettings.h"

namespace kalviro {
namespace {

// A picked atom number of a molecule that has since been replaced means nothing.
int validAtom(int n) {
    return n >= 1 && static_cast<std::uint32_t>(n) <= atomCount() ? n : 0;
}

void installViewHooks(MainFrame* frame) {
    MoleculeView* view = frame->view();
    ViewHooks& h = viewHooks();
    h.openGaussianFile = [frame] { openChosenFile(frame, gaussianOpenRequest()); };
    h.openGamessFile = [frame] { openChosenFile(frame, gamessOpenRequest()); };
    h.openCheckpointFile = [frame] { openChosenFile(frame, checkpointOpenRequest()); };
    h.saveCoordinates = [] { OnSaveCoordinates(); };
    h.saveIrTable = [] { OnSaveIrTable(); };
    h.saveIrTableSorted = [] { OnSaveIrTableBySymmetry(); };
    h.saveRelativeIntensity = [] { OnSaveRelativeIntensity(); };
    h.saveIrSpectrum = [] { OnSaveIrSpectrum(); };
    h.saveImage = [view] { BitmapWriter().save(*view); };
    h.showSpectrumPreview = [view] {
        wxBusyCursor busy;
        getPreviewDialog(view)->showSpectrum();
    };
    h.computeOrbital = [view] {
        wxBusyCursor busy;
        computeOrbital(*dataSelectDialog(view));
    };
    installDialogHooks(frame); // axis and rotation dialogs
}

void installWindowHooks(MainFrame* frame) {
    AppHooks& a = appHooks();
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
    a.pickedAtoms = [] {
        const PickedAtoms& p = pickedAtoms();
        return std::pair<int, int>{validAtom(p.slots[0]), validAtom(p.slots[1])};
    };
    a.openFile = [frame](const std::string& path) { openFileThroughDispatch(frame, path); };
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
        addRecentFile(path);
    }
    if (r.showDataSelection)
        fillModeList(frame->view());
    platform().redrawView();
}

void openChosenFile(MainFrame* frame, const FileDialogRequest& request) {
    if (const auto path = platform().chooseOpenPath(request))
        openFileThroughDispatch(frame, *path);
}

void installProgramHooks(MainFrame* frame) {
    ensureGlut();
    installViewHooks(frame);
    installWindowHooks(frame);
    MoleculeView* view = frame->view();
    setCheckpointOpener(
        [view](const std::string& path) { return openCheckpoint(path, *dataSelectDialog(view)); });
    setDialogCloser(AnalysisDialog::DataSelection, [] { closeDataSelectDialog(); });
    setDialogCloser(AnalysisDialog::Axis, [] { closeAxisDialog(); });
    setDialogCloser(AnalysisDialog::Preview, [] { closePreviewDialog(); });
    setDialogCloser(AnalysisDialog::Rotation, [] { closeRotationDialog(); });
}

} // namespace kalviro
