#include "render/AnnotationDrawers.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "document/Document.h"
#include "document/ViewFit.h"
#include "model/NumberText.h"
#include "render/Geometry.h"
#include "render/FrameSteps.h"
#include "render/Materials.h"

namespace kalviro {
namespace {

const char* const kAtomLabels[9] = {" 1", " 2", "3", " 4", " 5", " 6", " 7", "8", " 9"};

double length(const Vector3& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

void segment(double x0, double y0, double z0, double x1, double y1, double z1) {
    glBegin(GL_LINES);
    glVertex3d(x0, y0, z0);
    glVertex3d(x1, y1, z1);
    glEnd();
}

} // namespace

void bitmapText(void* font, const std::string& text) {
    for (const char c : text)
        glutBitmapCharacter(font, static_cast<unsigned char>(c));
}

std::string angleText(float total) {
    // Whole turns counted toward zero, so the sign of the total is kept.
    const double q = std::trunc(std::trunc(static_cast<double>(total)) / 360.0);
    const double value = static_cast<double>(total) - 360.0 * q;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    return buf;
}

std::string atomLabel(int k) {
    if (k >= 0 && k < 9)
        return kAtomLabels[k];
    return std::to_string(k + 1);
}

void drawAngleLabels(const Document& doc, const RotationTotals& totals) {
    const MoleculeState& m = doc.molecule;
    const float k = doc.view.axisLength / 7.0f;
    const float h = m.cameraDistance;
    struct Row {
        float total;
        MaterialId material;
        float y;
        const char* letter;
    };
    const Row rows[3] = {{totals.x, MaterialId::Green, 7.5f * k, "X"},
                         {totals.y, MaterialId::Red, 7.0f * k, "Y"},
                         {totals.z, MaterialId::Blue, 6.5f * k, "Z"}};
    for (const Row& r : rows) {
        const std::string text = angleText(r.total);
        applyMaterial(r.material);
        glRasterPos3f(6.0f * k, r.y, -h);
        bitmapText(GLUT_BITMAP_9_BY_15, text);
        glRasterPos3f(5.5f * k, r.y, -h);
        bitmapText(GLUT_BITMAP_9_BY_15, r.letter);
    }
}

void drawDipole(const Document& doc) {
    const MoleculeState& m = doc.molecule;
    // A mode without an intensity or a derivative has no arrow.
    const auto arrow = dipoleArrowOf(doc);
    if (!arrow)
        return;
    const Vector3 anchor = arrow->anchor;
    const Vector3 w = arrow->vector;
    const double L = arrow->length;
    glPushMatrix();
    glTranslatef(m.panX, m.panY, -m.cameraDistance);
    glPushMatrix();
    glTranslated(anchor.x, anchor.y, anchor.z);
    applyMaterial(MaterialId::Dipole);
    glPushMatrix();
    orientZOnto(w, L);
    cylinder(0.1, 0.1, kDipoleShaft, 32, 32);
    glPopMatrix();
    glPushMatrix();
    glTranslated(kDipoleShaft * w.x / L, kDipoleShaft * w.y / L, kDipoleShaft * w.z / L);
    glPushMatrix();
    orientZOnto(w, L);
    solidCone(kDipoleConeRadius, kDipoleCone, 32, 32);
    glPopMatrix();
    glPopMatrix();
    glPopMatrix();
    glPopMatrix();
}

void drawModeVectors(const Document& doc, const MoleculeState& m) {
    const VibrationStore& v = doc.vibrations;
    const ViewSettings& s = doc.view;
    const long mode = doc.scene.selectedMode;
    if (mode < 0 || static_cast<std::size_t>(mode) >= v.modes.size())
        return;
    const std::vector<Vector3>& vectors = v.modes[static_cast<std::size_t>(mode)];
    applyMaterial(MaterialId::Vector);
    const double minimum = static_cast<double>(1e-4f);
    double longest = 0.0;
    for (const Vector3& d : vectors)
        longest = std::isfinite(length(d)) ? std::max(longest, length(d)) : longest;
    for (std::size_t i = 0; i < m.atoms.size() && i < vectors.size(); ++i) {
        const Atom& atom = m.atoms[i];
        if (!s.hydrogenVectors && atom.atomicNumber == 1)
            continue;
        const Vector3& d = vectors[i];
        const double L = length(d);
        if (!(L >= minimum) || !std::isfinite(L))
            continue;
        // Scaled arrows show how far each atom moves, the longest at full length.
        const double arrow =
            doc.animation.scaledArrows ? s.vectorLength * L / longest : s.vectorLength;
        const double scale = arrow / L;
        const Vector3 w{s.vectorSign * d.x, s.vectorSign * d.y, s.vectorSign * d.z};
        glPushMatrix();
        glTranslatef(m.panX, m.panY, -m.cameraDistance);
        glPushMatrix();
        glTranslated(atom.x, atom.y, atom.z);
        glPushMatrix();
        orientZOnto(w, L);
        cylinder(0.06, 0.06, arrow, 32, 32);
        glPopMatrix();
        glPushMatrix();
        glTranslated(scale * w.x, scale * w.y, scale * w.z);
        glPushMatrix();
        orientZOnto(w, L);
        solidCone(0.1, 0.3, 32, 32);
        glPopMatrix();
        glPopMatrix();
        glPopMatrix();
        glPopMatrix();
    }
}

void drawAxes(const Document& doc) {
    const double a = doc.view.axisLength;
    const double h = doc.molecule.cameraDistance;
    glTranslated(0.0, 0.0, -h);
    auto axis = [&](MaterialId material, double ux, double uy, double uz) {
        applyMaterial(material);
        glTranslated(a * ux, a * uy, a * uz);
        solidSphere(0.025 * a, 32, 32);
        glTranslated(-2.0 * a * ux, -2.0 * a * uy, -2.0 * a * uz);
        solidSphere(0.025 * a, 32, 32);
        glTranslated(a * ux, a * uy, a * uz);
        segment(a * ux, a * uy, a * uz, -a * ux, -a * uy, -a * uz);
    };
    axis(MaterialId::Blue, 0, 0, 1);
    axis(MaterialId::Red, 0, 1, 0);
    axis(MaterialId::Green, 1, 0, 0);
    glTranslated(0.0, 0.0, h);
}

void drawSurface(const Document& doc) {
    const double a = doc.view.axisLength;
    const double h = doc.molecule.cameraDistance;
    applyMaterial(MaterialId::Surface);
    glPushMatrix();
    glTranslated(0.0, 0.0, -h);

    glPushMatrix();
    glTranslated(0.0, a, 0.0);
    glPushMatrix();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    cylinder(0.01, 0.25, 0.8, 32, 32);
    glPopMatrix();
    glPopMatrix();
    segment(0.0, a, 0.0, 0.0, -a, 0.0);

    for (int k = -7; k <= 7; ++k) {
        if (k == 0)
            continue;
        segment(7.0, -a, k, -7.0, -a, k);
        segment(k, -a, 7.0, k, -a, -7.0);
    }

    applyMaterial(MaterialId::Green);
    glPushMatrix();
    glTranslated(7.0, -a, 0.0);
    glPushMatrix();
    glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
    cylinder(0.1, 0.1, 14.0, 32, 32);
    glPopMatrix();
    glPopMatrix();

    applyMaterial(MaterialId::Blue);
    glPushMatrix();
    glTranslated(0.0, -a, -7.0);
    cylinder(0.15, 0.15, 14.0, 32, 32);
    glPopMatrix();

    glPopMatrix();
}

void drawAtomNumbers(const Document& doc) {
    const MoleculeState& m = doc.molecule;
    // Unlit, so that they read on either background: dark blue on white,
    // pale yellow on black.
    glPushAttrib(GL_LIGHTING_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    if (doc.view.whiteBackground)
        glColor3f(0.1f, 0.1f, 0.45f);
    else
        glColor3f(1.0f, 1.0f, 0.6f);
    const float offset = 0.3f;
    int c = 0;
    for (const Atom& atom : m.atoms) {
        if (atom.symbol == "X")
            continue;
        glRasterPos3d(m.panX + atom.x + offset, m.panY + atom.y + offset,
                      atom.z - m.cameraDistance + offset);
        const std::string label = atomLabel(c);
        bitmapText(GLUT_BITMAP_9_BY_15, label);
        ++c;
    }
    glPopAttrib();
}

void drawMeasurement(const Document& doc) {
    const MoleculeState& m = doc.molecule;
    const PickedAtoms& p = doc.picked;
    const std::string text = measurementText(p, m.atoms);
    if (text.empty())
        return;
    // GLUT's fonts are Latin-1 without kana: the atoms and the value only,
    // with the two-byte UTF-8 of "Å" and "°" made single bytes.
    std::string shown;
    for (std::size_t i = text.find(' ') + 1; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size())
            shown += static_cast<char>((static_cast<unsigned char>(text[++i]) & 0x3F) | (c == 0xC3 ? 0xC0 : 0x80));
        else
            shown += static_cast<char>(c);
    }
    // At the middle of the picked atoms, which lies inside the view (a text
    // whose start leaves the view is not drawn at all).
    Vector3 mid;
    for (int k = 0; k < p.count; ++k)
        mid = mid + m.atoms[static_cast<std::size_t>(p.slots[k] - 1)].position() * (1.0 / p.count);
    applyMaterial(MaterialId::Label);
    glRasterPos3d(m.panX + mid.x + 0.2, m.panY + mid.y + 0.2, mid.z - m.cameraDistance);
    // Read in full even where it crosses an atom.
    glDisable(GL_DEPTH_TEST);
    bitmapText(GLUT_BITMAP_9_BY_15, shown);
    glEnable(GL_DEPTH_TEST);
}

} // namespace kalviro
