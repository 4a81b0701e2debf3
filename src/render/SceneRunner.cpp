#include "render/SceneRunner.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "orbital/ContourStore.h"
#include "document/OrbitalFlags.h"
#include "render/AnnotationDrawers.h"
#include "render/FrameSteps.h"
#include "render/MoleculeDrawers.h"
#include "document/ViewSettings.h"

namespace kalviro {

std::uint32_t renderMode = GL_MODELVIEW;

namespace {
GLUquadric* theQuadric = nullptr;
} // namespace

GLUquadric* sharedQuadric() {
    if (!theQuadric)
        theQuadric = gluNewQuadric();
    return theQuadric;
}

void drawScene() {
    MoleculeState& m = moleculeState();
    const ViewSettings& s = viewSettings();
    const OrbitalFlags& o = orbitalFlags();
    // While the right button is held only the cheap parts are drawn.
    const bool rotating = m.drag.rotating != 0;
    const RotationTotals shownTotals = runFrameSteps(m, vibrationStore(), contourStore(), s, o);

    clearPicture();
    if (s.anglesShown)
        drawAngleLabels(shownTotals);
    if (s.viewpointMode)
        drawViewpoint();
    if (s.dipoleShown && !rotating)
        drawDipole();
    if (s.axesShown)
        drawAxes();
    if (s.surfaceShown)
        drawSurface();
    if (s.atomsShown && !rotating)
        drawAtoms();
    drawBonds();
    if (s.modesShown && !rotating)
        drawModeVectors();
    if (s.numbersShown && !rotating)
        drawAtomNumbers();
    if (o.orbitalShown != 0 && !rotating)
        drawOrbital();
    glFinish();
}

} // namespace kalviro
