#pragma once
// One scene: the frame steps, then the drawers the settings and the mouse
// state ask for, in drawing order.

#include <cstdint>

struct GLUquadric;

#include "render/MoleculeDrawers.h"

namespace kalviro {

struct Document;


// The one quadric every cylinder is drawn with; made on first use.
GLUquadric* sharedQuadric();

// Runs the frame steps on doc, draws the scene into the current context,
// then glFinish.
void drawScene(Document& doc, ScenePass pass = ScenePass::Draw);

} // namespace kalviro
