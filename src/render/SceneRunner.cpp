#include "render/SceneRunner.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "document/Document.h"
#include "render/AnimationFrame.h"
#include "render/AnnotationDrawers.h"
#include "render/FrameSteps.h"

namespace kalviro {

namespace {
GLUquadric* theQuadric = nullptr;
} // namespace

GLUquadric* sharedQuadric() {
    if (!theQuadric)
        theQuadric = gluNewQuadric();
    return theQuadric;
}

void drawScene(Document& doc, ScenePass pass) {
    const ViewSettings& s = doc.view;
    // While the right button is held only the cheap parts are drawn.
    const bool rotating = doc.molecule.drag.rotating;
    const RotationTotals shownTotals = runFrameSteps(doc);
    // The animation moves a copy; picking and everything else keep the
    // still molecule.
    MoleculeState moved;
    const std::vector<Vector3>* d = pass == ScenePass::Draw ? playingModeVectors(doc) : nullptr;
    if (d)
        moved = animatedMolecule(doc, *d);
    const MoleculeState& shown = d ? moved : doc.molecule;

    clearPicture(s);
    if (s.anglesShown)
        drawAngleLabels(doc, shownTotals);
    if (s.viewpointMode)
        drawViewpoint(doc);
    if (s.dipoleShown && !rotating)
        drawDipole(doc);
    if (s.axesShown)
        drawAxes(doc);
    if (s.surfaceShown)
        drawSurface(doc);
    if (s.atomsShown && !rotating)
        drawAtoms(doc, shown, pass);
    drawBonds(doc, shown, pass);
    if (s.modesShown && !rotating)
        drawModeVectors(doc, shown);
    if (s.numbersShown && !rotating)
        drawAtomNumbers(doc);
    if (pass == ScenePass::Draw && !rotating)
        drawMeasurement(doc);
    if (doc.orbitalFlags.orbitalShown && !rotating)
        drawOrbital(doc);
    // Translucent, so after everything opaque; never picked.
    if (doc.orbitalFlags.surfacesShown && !rotating && pass == ScenePass::Draw)
        drawOrbitalSurfaces(doc.surfaces, doc.molecule);
    if (d)
        drawModeCaption(doc);
    glFinish();
}

} // namespace kalviro
