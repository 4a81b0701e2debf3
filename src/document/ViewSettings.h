#pragma once
// How the molecule is shown: camera fields, display switches, vector factors
// and the two flags the readers raise. Plain data, no drawing.

#include <cstdint>

namespace kalviro {

struct MoleculeState;

using Flag = std::uint8_t; // display switches hold 0 or 1

// 0 becomes 1, anything else 0.
inline void toggle(Flag& f) { f = (f == 0) ? 1 : 0; }

struct ViewSettings {
    float eyeX = 0.0f;
    float eyeY = 0.0f;
    float eyeDistance = 20.0f;
    float axisLength = 7.0f;
    Flag atomsSolid = 1;
    float atomScale = 0.5f;
    Flag blendAll = 0;
    Flag blendBonds = 0;
    Flag atomsShown = 1;
    Flag hydrogenVectors = 1;
    double vectorLength = 0.5;
    float vectorSign = 1.0f;
    Flag surfaceShown = 0;
    Flag anglesShown = 0;
    Flag rotationButtons = 0;
    Flag covalentRadius = 0;
    Flag numbersShown = 0;
    Flag solidStyle = 1;
    Flag whiteBackground = 0;
    Flag axesShown = 0;
    Flag dipoleShown = 0;
    Flag modesShown = 0;
    Flag modesLoaded = 0;
    Flag dipolesLoaded = 0;
    Flag axisDialogEnabled = 0;
    Flag viewpointMode = 0;

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

ViewSettings& viewSettings();
ZoomCounter& zoomCounter();
// Forgets the zoom counter; the next zoomCounter() starts again at level 0.
void releaseZoomCounter();
// Replaces the process-wide settings with fresh ones (tests).
void resetViewSettings();

} // namespace kalviro
