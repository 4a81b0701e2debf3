#pragma once
// One scene: the frame steps, then the drawers the settings and the mouse
// state ask for, in drawing order.

#include <cstdint>

struct GLUquadric;

namespace kalviro {

// GL_SELECT while the picking pass draws the scene; any other value
// otherwise. Only the atom and bond drawers read it.
extern std::uint32_t renderMode;

// The one quadric every cylinder is drawn with; made on first use.
GLUquadric* sharedQuadric();

// Runs the frame steps on the process-wide molecule, draws the scene into
// the current context, then glFinish.
void drawScene();

} // namespace kalviro
