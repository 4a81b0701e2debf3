#pragma once
// The camera, projection and lights every frame starts from.

namespace kalviro {

struct MoleculeState;
struct ViewSettings;

// Depth of the model centre below the look-at origin.
constexpr float kModelDepth = 4.5f;

// Multiplies the current matrix by the look-at of the settings' eye.
void applyLookAt(const ViewSettings& s);
// Multiplies the current matrix by the perspective: 45 degrees vertically,
// the aspect of the current viewport, near 0.3, far 2000.
void applyPerspective();

// Model depth, look-at on the current (identity) model-view matrix, the
// projection, three lights, lighting and smooth shading; leaves the
// model-view matrix current.
void setupCamera(MoleculeState& m, const ViewSettings& s);

} // namespace kalviro
