#pragma once
// Where an atom lands in the view's client area (pixels from the top left),
// from the matrices the view's last frame left: atoms are drawn at
// (x + pan, y + pan, z - camera distance). Nothing when the view has no
// context or the atom projects to no sensible point.

#include <GL/gl.h>
#include <GL/glu.h>
#include <wx/gdicmn.h>

#include <cmath>
#include <cstddef>
#include <optional>

#include "app/MoleculeView.h"
#include "model/MoleculeState.h"

namespace kalviro::test {

inline std::optional<wxPoint> atomOnScreen(MoleculeView& view, std::size_t index) {
    const MoleculeState& m = moleculeState();
    if (index >= m.atoms.size() || !view.makeCurrent())
        return std::nullopt;
    GLdouble modelView[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const Atom& a = m.atoms[index];
    GLdouble wx = 0, wy = 0, wz = 0;
    if (!gluProject(a.x + m.panX, a.y + m.panY, a.z - m.cameraDistance, modelView, projection,
                    viewport, &wx, &wy, &wz) ||
        !std::isfinite(wx) || !std::isfinite(wy) || std::abs(wx) > 1e6 || std::abs(wy) > 1e6)
        return std::nullopt;
    return wxPoint(static_cast<int>(wx), viewport[3] - static_cast<int>(wy));
}

} // namespace kalviro::test
