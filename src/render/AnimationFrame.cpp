#include "render/AnimationFrame.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include "document/Document.h"
#include "render/AnnotationDrawers.h"
#include "render/Materials.h"

namespace kalviro {

MoleculeState animatedMolecule(const Document& doc, const std::vector<Vector3>& d) {
    const Animation& a = doc.animation;
    MoleculeState shown = doc.molecule;
    const std::vector<Vector3> p = displacedPositions(doc, d, a.amplitude, a.phase);
    for (std::size_t i = 0; i < shown.atoms.size(); ++i) {
        Atom& atom = shown.atoms[i];
        atom.x = p[i].x;
        atom.y = p[i].y;
        atom.z = p[i].z;
    }
    for (std::size_t i = 0; i < shown.atoms.size(); ++i) {
        for (BondSlot& b : shown.atoms[i].bonds) {
            if (b.partner < 0 || static_cast<std::size_t>(b.partner) >= p.size())
                continue;
            const Vector3 to = p[static_cast<std::size_t>(b.partner)] - p[i];
            if (to.length() > 0.0)
                b = bondTowards(to, b.partner);
        }
    }
    return shown;
}

void drawModeCaption(const Document& doc) {
    const std::string text = modeCaption(doc, doc.scene.selectedMode);
    if (text.empty())
        return;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    // A view squashed to nothing has no room for it, and glOrtho refuses
    // an empty range.
    if (viewport[2] <= 0 || viewport[3] <= 0)
        return;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewport[2], 0.0, viewport[3], -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    applyMaterial(MaterialId::Label);
    glRasterPos2i(8, viewport[3] - 22);
    bitmapText(GLUT_BITMAP_HELVETICA_18, text);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

} // namespace kalviro
