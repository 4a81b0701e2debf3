#include "render/MoleculeDrawers.h"

#include <GL/gl.h>

#include <cmath>

#include "document/Document.h"
#include "render/Geometry.h"
#include "render/HiddenBondTubes.h"
#include "render/Materials.h"
#include "render/SceneRunner.h"

namespace kalviro {
namespace {

void blendingOn() {
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void blendingOff() {
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

bool drawnAtom(const Atom& a) {
    return a.symbol != "X" && a.atomicNumber != -1;
}

// A bond straight down -Z has no rotation axis; turn it over about X so it
// is not drawn pointing up.
void rotateBond(const BondSlot& b) {
    if (b.axis.x == 0.0 && b.axis.y == 0.0 && b.angle != 0.0)
        glRotated(b.angle, 1.0, 0.0, 0.0);
    else
        glRotated(b.angle, b.axis.x, b.axis.y, b.axis.z);
}

} // namespace

void clearPicture(const ViewSettings& s) {
    if (s.whiteBackground)
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    else
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void drawViewpoint(const Document& doc) {
    const MoleculeState& m = doc.molecule;
    const float a = doc.view.axisLength;
    const float h = m.cameraDistance;
    glTranslatef(0.0f, 0.0f, -h);
    glRotatef(m.viewValue, 0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, h);

    const float degToRad = static_cast<float>(std::atan(1.0) / 45.0);
    auto arrowhead = [&](float px, float py, float pz, Vector3 d) {
        glPushMatrix();
        glTranslatef(px, py - a, pz - h);
        const Vector3 back{-d.x, -d.y, -d.z};
        orientZOnto(back, std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z));
        cylinder(0.01, 0.25, 0.8, 32, 32);
        glPopMatrix();
    };

    applyMaterial(MaterialId::Green);
    for (int k = 0; k < 149; ++k) {
        const float t0 = static_cast<float>(k - 90) * degToRad;
        const float t1 = static_cast<float>(k + 1 - 90) * degToRad;
        glBegin(GL_LINES);
        glVertex3f(0.0f, 2.0f * std::cos(t0) - a, 2.0f * std::sin(t0) - h);
        glVertex3f(0.0f, 2.0f * std::cos(t1) - a, 2.0f * std::sin(t1) - h);
        glEnd();
    }
    glBegin(GL_LINES);
    glVertex3f(a, -a, -h);
    glVertex3f(-a, -a, -h);
    glEnd();
    arrowhead(0.0f, 0.8f, 2.0f, {0.0, -1.0, 1.0});

    applyMaterial(MaterialId::Blue);
    for (int k = 0; k < 149; ++k) {
        const float t0 = static_cast<float>(k) * degToRad;
        const float t1 = static_cast<float>(k + 1) * degToRad;
        glBegin(GL_LINES);
        glVertex3f(2.0f * std::cos(t0), 2.0f * std::sin(t0) - a, -h);
        glVertex3f(2.0f * std::cos(t1), 2.0f * std::sin(t1) - a, -h);
        glEnd();
    }
    glBegin(GL_LINES);
    glVertex3f(0.0f, -a, a - h);
    glVertex3f(0.0f, -a, -a - h);
    glEnd();
    arrowhead(-2.0f, 0.8f, 0.0f, {-1.0, -1.0, 0.0});
}

void drawAtoms(const Document& doc, const MoleculeState& m, ScenePass pass) {
    const ViewSettings& s = doc.view;
    if (s.blendAll)
        blendingOn();
    // Fewer facets while the animation plays: the eye does not follow them.
    const int facets = doc.animation.playing ? 16 : 32;
    glPushMatrix();
    glTranslatef(m.panX, m.panY, -m.cameraDistance);
    for (std::size_t i = 0; i < m.atoms.size(); ++i) {
        const Atom& atom = m.atoms[i];
        if (!drawnAtom(atom))
            continue;
        glPushMatrix();
        glTranslated(atom.x, atom.y, atom.z);
        applyMaterial(atom.material);
        if (pass == ScenePass::Pick)
            glPushName(static_cast<GLuint>(i + 1));
        const double r = s.atomScale * atom.radius;
        if (s.atomsSolid) {
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            solidSphere(r, facets, facets);
            if (atom.selected == 1) {
                applyMaterial(MaterialId::Selection);
                glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
                solidSphere(r * 1.05, 24, 24);
            }
        } else {
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            solidSphere(r, 32, 32);
        }
        if (pass == ScenePass::Pick)
            glPopName();
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glPopMatrix();
    }
    glPopMatrix();
    if (s.blendAll)
        blendingOff();
}

void drawBonds(const Document& doc, const MoleculeState& m, ScenePass pass) {
    const ViewSettings& s = doc.view;
    const bool rotating = m.drag.rotating != 0;
    const bool blend = s.blendBonds || s.blendAll;
    if (blend)
        blendingOn();
    const bool skipHidden = !blend && pass != ScenePass::Pick && s.hiddenTubesSkipped;
    // A moving picture hides facets: fewer of them keep the frame rate.
    const int slices = doc.animation.playing ? 16 : 64;
    const int stacks = doc.animation.playing ? 1 : 64;
    glPushMatrix();
    glTranslatef(m.panX, m.panY, -m.cameraDistance);
    for (std::size_t i = 0; i < m.atoms.size(); ++i) {
        const Atom& atom = m.atoms[i];
        if (atom.bondCount() == 0)
            continue;
        applyMaterial(MaterialId::Bond);
        glPushMatrix();
        glTranslated(atom.x, atom.y, atom.z);
        // A joint keeps the skeleton visible where no sphere is drawn.
        if ((rotating || !s.atomsShown) && atom.atomicNumber != -1)
            solidSphere(0.24, 8, 8);
        if (!rotating) {
            for (const BondSlot& b : atom.bonds) {
                if (skipHidden && tubeDrawnFromPartner(m, i, b))
                    continue;
                const bool cull =
                    skipHidden && tubeEndsEnclosed(m, s, i, static_cast<std::size_t>(b.partner));
                if (cull)
                    glEnable(GL_CULL_FACE);
                glPushMatrix();
                rotateBond(b);
                cylinder(0.1, 0.1, b.length, slices, stacks);
                glPopMatrix();
                if (cull)
                    glDisable(GL_CULL_FACE);
            }
        }
        glPopMatrix();
    }
    glPopMatrix();
    if (rotating) {
        const double n = static_cast<double>(m.atoms.size());
        for (const Atom& atom : m.atoms) {
            for (const BondSlot& b : atom.bonds) {
                if (b.partner < 0 || b.partner >= n)
                    continue;
                const Atom& p = m.atoms[static_cast<std::size_t>(b.partner)];
                glBegin(GL_LINES);
                glVertex3d(m.panX + atom.x, m.panY + atom.y, atom.z - m.cameraDistance);
                glVertex3d(m.panX + p.x, m.panY + p.y, p.z - m.cameraDistance);
                glEnd();
            }
        }
    }
    if (blend)
        blendingOff();
}

void drawOrbital(const Document& doc) {
    drawContours(doc.contours, doc.molecule);
}

void drawContours(const ContourStore& store, const MoleculeState& m) {
    std::size_t next = 0;
    const std::size_t total = store.currentPoints.size();
    for (const ContourLoop& loop : store.loops) {
        applyMaterial(loop.signCode == 0 ? MaterialId::ContourBlue : MaterialId::ContourRed);
        glBegin(GL_LINE_LOOP);
        for (std::int32_t k = 0; k < loop.pointCount && next < total; ++k, ++next) {
            const Vector3& p = store.currentPoints[next];
            glVertex3d(p.x + m.panX, p.y + m.panY, p.z - m.cameraDistance); // with the molecule
        }
        glEnd();
    }
}

void drawOrbitalSurfaces(const OrbitalSurfaces& surfaces, const MoleculeState& m) {
    if (surfaces.empty())
        return;
    glPushMatrix();
    glTranslatef(m.panX, m.panY, -m.cameraDistance);
    blendingOn();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    const MaterialId colours[2] = {MaterialId::ContourBlue, MaterialId::ContourRed};
    for (int s = 0; s < 2; ++s) {
        const SurfaceMesh& mesh = surfaces.shown[s];
        if (mesh.triangles.empty())
            continue;
        MaterialValues v = materialValues(colours[s]);
        v.ambient[3] = v.diffuse[3] = v.specular[3] = 0.55f;
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, v.ambient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, v.diffuse);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, v.specular);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &v.shininess);
        glVertexPointer(3, GL_DOUBLE, sizeof(Vector3), &mesh.positions.front().x);
        glNormalPointer(GL_DOUBLE, sizeof(Vector3), &mesh.normals.front().x);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.triangles.size()), GL_UNSIGNED_INT,
                       mesh.triangles.data());
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    blendingOff();
    glPopMatrix();
}

} // namespace kalviro
