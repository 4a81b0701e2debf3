#pragma once
// The drawers that annotate the molecule: dipole and displacement arrows,
// the rotating axes, the substrate surface, the angle totals and the atom
// numbers; and the bitmap text they write with.

#include <string>

#include "render/SceneDrawer.h"

namespace kalviro {

// Text at the current raster position in the 9 x 15 bitmap font.
class BitmapText : public SceneDrawer {
  public:
    BitmapText(void* font, const char* text) : font(font), text(text) {}
    bool draw() override;

    void* font;
    const char* text; // not owned
};

// A rotation total as shown: reduced into (-360, 360), two decimals.
std::string angleText(float total);
// The label of the k-th (zero-based) drawn atom.
std::string atomLabel(int k);

class AngleLabelDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

class DipoleDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

class ModeVectorDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

class AxesDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

class SurfaceDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

class AtomNumberDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

} // namespace kalviro
