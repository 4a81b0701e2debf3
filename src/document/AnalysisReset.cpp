#include "document/AnalysisReset.h"

#include "document/Document.h"

namespace kalviro {

void resetAnalysis(Document& doc, const std::function<void()>& closeDialogs) {
    restoreAllPositions(doc.molecule);
    clearPendingRotation(doc.molecule);
    if (closeDialogs)
        closeDialogs();
    doc.orbitalFlags.orbitalShown = false;
    doc.orbitalFlags.surfacesShown = false;
    doc.orbitalFlags.orbitalLoaded = false;
    doc.orbitalFields = OrbitalFields();
    VibrationStore& store = doc.vibrations;
    store.spectrumReady = false;
    // Blocks the next calculation does not write must not show old curves.
    store.clearSpectra();
    ViewSettings& settings = doc.view;
    settings.dipolesLoaded = false;
    settings.modesLoaded = false;
    settings.dipoleShown = false;
    settings.surfaceShown = false;
}

void resetForNewFile(Document& doc, const std::function<void()>& closeDialogs) {
    resetAnalysis(doc, closeDialogs);
    doc.vibrations = VibrationStore();
    doc.hessian.reset();
    doc.view.modesShown = false;
    doc.scene = SceneChoices();
    doc.spectrum.rangeSet = false; // the new file's modes choose the range
    doc.picked.clear();
    doc.contours = ContourStore();
    doc.surfaces = OrbitalSurfaces();
    MoleculeState& m = doc.molecule;
    m.rotationX = m.rotationY = m.rotationZ = 0.0f;
    m.viewValue = 0.0f;
    m.panX = m.panY = 0.0f;
    doc.view.resetCamera();
    doc.zoom = ZoomCounter();
    doc.view.fitPending = true;
}

} // namespace kalviro
