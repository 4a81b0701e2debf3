#include "render/SceneRunner.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "orbital/ContourStore.h"
#include "orbital/OrbitalFlags.h"
#include "render/AnnotationDrawers.h"
#include "render/FrameSteps.h"
#include "render/MoleculeDrawers.h"
#include "render/ViewSettings.h"

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
    if (s.anglesShown == 1)
        drawAngleLabels(shownTotals);
    if (s.viewpointMode == 1)
        drawViewpoint();
    if (s.dipoleShown == 1 && !rotating)
        drawDipole();
    if (s.axesShown == 1)
        drawAxes();
    if (s.surfaceShown == 1)
        drawSurface();
    if (s.atomsShown == 1 && !rotating)
        drawAtoms();
    drawBonds();
    if (s.modesShown == 1 && !rotating)
        drawModeVectors();
    if (s.numbersShown == 1 && !rotating)
        drawAtomNumbers();
    if (o.orbitalShown == 1 && !rotating)
        drawOrbital();
    glFinish();
}

} // namespace kalviro
