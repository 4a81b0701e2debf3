#pragma once
// The drawers that clear the picture, move the molecule and draw its atoms,
// bonds and orbital contours.

#include "render/SceneDrawer.h"

namespace kalviro {

struct ContourStore;
struct MoleculeState;

class ClearDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

// Applies the pending rotation to the coordinates, or in viewpoint mode
// turns the whole scene instead.
class RotationDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

// The viewpoint yaw with its two arcs and arrowheads; leaves the yaw in the
// model-view matrix for the rest of the frame.
class ViewpointDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

class BondPerceptionDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

class RotationAccumulator : public SceneDrawer {
  public:
    bool draw() override;
};

class AtomDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

class BondDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

class OrbitalDrawer : public SceneDrawer {
  public:
    bool draw() override;
};

// The contour loops as line loops, blue for the positive level and red for
// the negative, at the model depth.
void drawContours(const ContourStore& store, const MoleculeState& m);

} // namespace kalviro
