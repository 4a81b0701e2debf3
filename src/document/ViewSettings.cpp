#include "document/ViewSettings.h"

#include "model/MoleculeState.h"

namespace kalviro {
namespace {
void scaleCamera(ViewSettings& s, double factor) {
    s.eyeDistance = static_cast<float>(s.eyeDistance * factor);
    s.eyeX = static_cast<float>(s.eyeX * factor);
    s.eyeY = static_cast<float>(s.eyeY * factor);
    s.axisLength = static_cast<float>(s.axisLength * factor);
}
} // namespace

void ViewSettings::resetCamera() {
    eyeDistance = 20.0f;
    eyeX = 0.0f;
    eyeY = 0.0f;
    axisLength = 7.0f;
}

void ViewSettings::toggleCovalentRadius() {
    toggle(covalentRadius);
    atomScale = covalentRadius == 1 ? 1.0f : 0.5f;
}

void ViewSettings::toggleSurface() {
    toggle(surfaceShown);
    if (axesShown == 1)
        axesShown = false;
}

void ViewSettings::selectSolidStyle() {
    solidStyle = true;
    blendBonds = false;
    blendAll = false;
}

void ViewSettings::selectBlendBondStyle() {
    solidStyle = false;
    blendBonds = true;
    blendAll = false;
}

void ViewSettings::selectBlendAllStyle() {
    solidStyle = false;
    blendBonds = false;
    blendAll = true;
}

void ZoomCounter::zoom(int direction, ViewSettings& s) {
    if (direction == 0) {
        if (level > 3)
            return;
        scaleCamera(s, 0.8333333333333334);
        ++level;
    } else if (direction == 1) {
        if (level < -3)
            return;
        scaleCamera(s, 1.2);
        --level;
    }
}

void toggleViewpointMode(ViewSettings& s, MoleculeState& m) {
    toggle(s.viewpointMode);
    m.viewValue = 0.0f;
}

} // namespace kalviro
