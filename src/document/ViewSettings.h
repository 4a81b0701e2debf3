#pragma once
// How the molecule is shown: camera fields, display switches, vector factors
// and the two flags the readers raise. Plain data, no drawing.

#include <cstdint>

namespace kalviro {

struct MoleculeState;

inline void toggle(bool& f) {
    f = !f;
}

struct ViewSettings {
    float eyeX = 0.0f;
    float eyeY = 0.0f;
    float eyeDistance = 20.0f;
    float axisLength = 7.0f;
    bool atomsSolid = true;
    float atomScale = 0.5f;
    bool blendAll = false;
    bool blendBonds = false;
    bool atomsShown = true;
    // Leave out the bond tubes an opaque frame never shows
    // (render/HiddenBondTubes.h); the benchmark and tests compare frames without.
    bool hiddenTubesSkipped = true;
    bool hydrogenVectors = true;
    double vectorLength = 0.5;
    float vectorSign = 1.0f;
    bool surfaceShown = false;
    bool anglesShown = false;
    bool rotationButtons = false;
    bool covalentRadius = false;
    bool numbersShown = false;
    bool solidStyle = true;
    bool whiteBackground = false;
    bool axesShown = false;
    bool dipoleShown = false;
    bool modesShown = false;
    bool modesLoaded = false;
    bool dipolesLoaded = false;
    bool axisDialogEnabled = false;
    bool viewpointMode = false;
    // The next frame fits the camera to the molecule (it knows the view's shape).
    bool fitPending = false;
    // The orbital's isosurfaces are at +isoValue and -isoValue (the next calculation's).
    double isoValue = 0.05;

    // Camera fields back to their start values; nothing else changes.
    void resetCamera();
    // Toggles covalentRadius and sets atomScale from it (1.0 on, 0.5 off).
    void toggleCovalentRadius();
    // Toggles surfaceShown; the rotating axes go off either way.
    void toggleSurface();
    // The three exclusive drawing styles.
    void selectSolidStyle();
    void selectBlendBondStyle();
    void selectBlendAllStyle();
};

// Limits the zoom to four steps each way from the start.
struct ZoomCounter {
    std::int32_t level = 0;
    // direction 0 zooms in (x 1/1.2), 1 zooms out (x 1.2), anything else nothing.
    void zoom(int direction, ViewSettings& s);
};

// Toggles viewpointMode; the viewpoint yaw starts again from 0.
void toggleViewpointMode(ViewSettings& s, MoleculeState& m);

} // namespace kalviro
