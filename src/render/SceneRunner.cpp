#include "render/SceneRunner.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "document/Document.h"
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
        drawAtoms(doc, pass);
    drawBonds(doc, pass);
    if (s.modesShown && !rotating)
        drawModeVectors(doc);
    if (s.numbersShown && !rotating)
        drawAtomNumbers(doc);
    if (pass == ScenePass::Draw && !rotating)
        drawMeasurement(doc);
    if (doc.orbitalFlags.orbitalShown && !rotating)
        drawOrbital(doc);
    glFinish();
}

} // namespace kalviro
