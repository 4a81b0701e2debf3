#pragma once
// Builds and runs the list of drawers of one frame.

#include <cstdint>
#include <memory>
#include <vector>

struct GLUquadric;

namespace kalviro {

class SceneDrawer;

// GL_SELECT while the picking pass draws the scene; any other value
// otherwise. Only the atom drawer reads it (to push pick names).
extern std::uint32_t renderMode;

// The one quadric every cylinder is drawn with; made by the first runner.
GLUquadric* sharedQuadric();

// The frame's drawers in drawing order, chosen from the current settings
// and mouse state; nothing is drawn yet.
std::vector<std::unique_ptr<SceneDrawer>> buildSceneList();

class SceneRunner {
  public:
    SceneRunner();
    virtual ~SceneRunner() = default;
    // Builds the list, draws every entry in order, destroys it, glFinish.
    void drawScene();
};

SceneRunner& sceneRunner();

} // namespace kalviro
