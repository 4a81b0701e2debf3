#include "render/MouseDrag.h"

#include <algorithm>
#include <cmath>

#include "model/MoleculeState.h"

namespace kalviro {

void beginPan(MoleculeState& m, float x, float y) {
    DragState& d = m.drag;
    d.panStartX = d.panCurrentX = x;
    d.panStartY = d.panCurrentY = y;
    d.panBaseX = m.panX;
    d.panBaseY = m.panY;
}

float panUnitsPerPixel(float eyeDistance, int viewHeight) {
    if (viewHeight <= 0)
        return 0.0f;
    const double halfField = std::atan(1.0) / 2.0; // 22.5 degrees, as the projection
    return static_cast<float>(2.0 * eyeDistance * std::tan(halfField) / viewHeight);
}

void panUpdate(MoleculeState& m, float unitsPerPixel) {
    const DragState& d = m.drag;
    m.panX = d.panBaseX + (d.panCurrentX - d.panStartX) * unitsPerPixel;
    m.panY = d.panBaseY - (d.panCurrentY - d.panStartY) * unitsPerPixel;
}

double trackball(double v) {
    const double halfPi = 2.0 * std::atan(1.0);
    // Beyond +-2 the arcsine is undefined (a window taller than wide).
    v = std::clamp(v, -2.0, 2.0);
    if (v >= 1.0)
        return std::asin(v - 1.0) + halfPi;
    if (v <= -1.0)
        return std::asin(v + 1.0) - halfPi;
    return std::asin(v);
}

void rotationUpdate(MoleculeState& m, int clientLeft, int clientRight) {
    const int w = (clientRight - clientLeft) / 2;
    if (w == 0)
        return;
    const float h = static_cast<float>(w);
    const float degToRad = static_cast<float>(std::atan2(1.0, 1.0) * 0.022222222222222223);
    const DragState& d = m.drag;
    m.pendingRotationX = static_cast<float>(
        (trackball(d.rotateCurrentY / h) - trackball(d.rotateStartY / h)) / degToRad * 0.25);
    m.pendingRotationY = static_cast<float>(
        (trackball(d.rotateCurrentX / h) - trackball(d.rotateStartX / h)) / degToRad * 0.25);
}

} // namespace kalviro
