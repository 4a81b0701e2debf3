#include "app/ProgramWiring.h"

#include "app/DataSelectionDialog.h"
#include "app/FileReadProgress.h"
#include "app/MainFrame.h"
#include "app/MoleculeView.h"
#include "document/Document.h"
#include "document/CheckpointPairing.h"
#include "document/FileOpening.h"
#include "model/FileKind.h"
#include "render/Camera.h"
#include "render/Frame.h"
#include "render/MouseDrag.h"
#include "render/OffscreenSurface.h"
#include "render/Picking.h"
#include "render/SceneRunner.h"

namespace kalviro {
namespace {

void fillViewActions(MainFrame* frame, MoleculeView& view, Document& doc) {
    ViewActions& a = view.actions();
    a.drawFrame = [&doc](int width, int height) {
        startFrame(doc, width, height);
        drawScene(doc);
    };
    a.pickAt = [&doc, frame](int x, int y) {
        selectAt(doc, x, y);
        frame->showMeasurement();
    };
    a.panUpdate = [&doc, &view] {
        panUpdate(doc.molecule, panUnitsPerPixel(doc.view.eyeDistance, view.clientHeight()));
    };
    a.rotationUpdate = [&doc](int clientWidth, int) {
        rotationUpdate(doc.molecule, 0, clientWidth);
    };
}

} // namespace

void openFileThroughDispatch(MainFrame* frame, const std::string& path) {
    Document& doc = frame->document();
    OpenResult r;
    {
        FileReadProgress progress(frame, path);
        OpenSteps steps;
        steps.progress = [&progress](std::uint64_t bytes) { return progress(bytes); };
        steps.closeAnalysisDialogs = [frame] { frame->closeAnalysisDialogs(); };
        r = openMoleculeFile(doc, path, steps);
    }
    if (r.read) {
        frame->addRecentFile(path);
        frame->SetStatusText(wxString::FromUTF8(r.statusText), 0);
    }
    if (r.orbitalRead)
        frame->ensureDataSelectionDialog().showOrbitalFields();
    // An output without dipole derivatives takes them from the checkpoint
    // file of its job when one lies beside it.
    if (r.read && fileKindOf(path) == FileKind::GaussianOutput && wantsCheckpointVectors(doc))
        if (const auto beside = checkpointBeside(path))
            pairCheckpointFile(frame, *beside);
    if (r.showDataSelection)
        fillModeList(frame->ensureDataSelectionDialog(), doc.vibrations);
    platform().redrawView();
}

void pairCheckpointFile(MainFrame* frame, const std::string& path) {
    Document& doc = frame->document();
    const auto status = addCheckpointVectors(doc, path);
    if (!status)
        return;
    frame->SetStatusText(wxString::FromUTF8(status->c_str()), 0);
    if (DataSelectionDialog* dlg = frame->dataSelectionDialog())
        fillModeList(*dlg, doc.vibrations);
    platform().redrawView();
}

void openChosenFile(MainFrame* frame, const FileDialogRequest& request) {
    if (const auto path = platform().chooseOpenPath(request))
        openFileThroughDispatch(frame, *path);
}

void wireProgram(MainFrame* frame) {
    ensureGlut();
    fillViewActions(frame, *frame->view(), frame->document());
}

} // namespace kalviro
