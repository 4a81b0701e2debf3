#include "render/Picking.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

#include "document/Document.h"
#include "render/Camera.h"
#include "render/SceneRunner.h"

namespace kalviro {
namespace {

void deselect(MoleculeState& m, int n) {
    // A slot may still name an atom of a molecule that is gone.
    if (n >= 1 && static_cast<std::size_t>(n) <= m.atoms.size())
        m.atoms[static_cast<std::size_t>(n - 1)].selected = 0;
}

} // namespace

std::uint32_t nearestNamedHit(const std::uint32_t* buffer, int hits) {
    std::uint32_t best = 0;
    std::uint32_t bestDepth = 0;
    bool found = false;
    const std::uint32_t* r = buffer;
    for (int k = 0; k < hits; ++k) {
        const std::uint32_t names = r[0];
        const std::uint32_t minDepth = r[1];
        if (names > 0 && (!found || minDepth < bestDepth)) {
            best = r[3 + names - 1]; // innermost name
            bestDepth = minDepth;
            found = true;
        }
        r += 3 + names;
    }
    return best;
}

int pickAtom(Document& doc, int x, int y) {
    MoleculeState& m = doc.molecule;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);

    // Each atom opens and closes one record; unnamed geometry between them
    // adds records without names. Grow the buffer until everything fits.
    std::size_t size = 8 * m.atoms.size() + 64;
    for (;;) {
        std::vector<GLuint> buffer(size);
        glSelectBuffer(static_cast<GLsizei>(size), buffer.data());
        glRenderMode(GL_SELECT);
        glInitNames();

        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        gluPickMatrix(x, viewport[3] - y, 5.0, 5.0, viewport);
        applyPerspective();
        // Start from the frame's own starting matrix, so a viewpoint yaw left
        // by the last frame is not applied twice.
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        applyLookAt(doc.view);
        drawScene(doc, ScenePass::Pick);

        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);

        const GLint hits = glRenderMode(GL_RENDER);
        if (hits < 0) {
            if (size > (std::size_t{1} << 26))
                return 0; // a runaway scene: no pick rather than no memory
            size *= 2;
            continue;
        }
        const std::uint32_t n = nearestNamedHit(buffer.data(), hits);
        if (n == 0 || n > m.atoms.size())
            return 0;
        m.atoms[n - 1].selected = 1;
        return static_cast<int>(n);
    }
}

void recordPick(PickedAtoms& p, MoleculeState& m, int n) {
    if (p.count < 0 || p.count > PickedAtoms::kMaxPicks)
        p.count = 0;
    for (std::int32_t k = 0; n != 0 && k < p.count; ++k) {
        if (p.slots[k] != n)
            continue;
        // Picked again: out of the selection, the later picks move up.
        deselect(m, n);
        for (std::int32_t j = k; j + 1 < p.count; ++j)
            p.slots[j] = p.slots[j + 1];
        p.slots[--p.count] = 0;
        return;
    }
    // Empty space clears the selection; a fifth atom starts a new one.
    if (n == 0 || p.count == PickedAtoms::kMaxPicks) {
        for (std::int32_t slot : p.slots)
            deselect(m, slot);
        p.clear();
    }
    if (n != 0)
        p.slots[p.count++] = n;
}

void selectAt(Document& doc, int x, int y) {
    const int n = pickAtom(doc, x, y);
    recordPick(doc.picked, doc.molecule, n);
}

} // namespace kalviro
