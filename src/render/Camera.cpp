#include "render/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "document/ViewSettings.h"
#include "model/MoleculeState.h"

namespace kalviro {

void applyLookAt(const ViewSettings& s) {
    gluLookAt(s.eyeX, s.eyeY, s.eyeDistance - kModelDepth, 0.0, 0.0, -kModelDepth, 0.0, 1.0, 0.0);
}

void applyPerspective() {
    // The window's own shape, so that a sphere stays round in any window.
    GLint viewport[4] = {0, 0, 1, 1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double aspect =
        viewport[2] > 0 && viewport[3] > 0 ? static_cast<double>(viewport[2]) / viewport[3] : 1.0;
    // Near enough for a fitted diatomic, far enough for a fitted protein.
    gluPerspective(45.0, aspect, 0.3, 2000.0);
}

void setupCamera(MoleculeState& m, const ViewSettings& s) {
    m.cameraDistance = kModelDepth;
    applyLookAt(s);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    applyPerspective();

    // Given after the look-at, so the lights stay fixed in the scene.
    static const GLfloat positions[3][4] = {
        {0.0f, 20.0f, 5.5f, 1.0f}, {0.0f, 20.0f, -5.5f, 1.0f}, {0.0f, -20.0f, -5.5f, 1.0f}};
    static const GLfloat ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    static const GLfloat diffuse[4] = {0.4f, 0.4f, 0.4f, 1.0f};
    static const GLfloat specular[4] = {0.4f, 0.4f, 0.4f, 1.0f};
    for (int i = 0; i < 3; ++i) {
        const GLenum light = GL_LIGHT0 + i;
        glLightfv(light, GL_POSITION, positions[i]);
        glLightfv(light, GL_AMBIENT, ambient);
        glLightfv(light, GL_DIFFUSE, diffuse);
        glLightfv(light, GL_SPECULAR, specular);
    }
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHT2);
    glShadeModel(GL_SMOOTH);
    glMatrixMode(GL_MODELVIEW);
}

} // namespace kalviro
