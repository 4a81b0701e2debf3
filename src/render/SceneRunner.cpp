#include "render/SceneRunner.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/AnnotationDrawers.h"
#include "render/MoleculeDrawers.h"
#include "render/RenderStages.h"

namespace kalviro {

std::uint32_t renderMode = GL_MODELVIEW;

namespace {
GLUquadric* theQuadric = nullptr;

template <class D> std::unique_ptr<SceneDrawer> always() {
    return std::unique_ptr<SceneDrawer>(new (std::nothrow) D());
}
} // namespace

GLUquadric* sharedQuadric() {
    if (!theQuadric)
        theQuadric = gluNewQuadric();
    return theQuadric;
}

std::vector<std::unique_ptr<SceneDrawer>> buildSceneList() {
    std::vector<std::unique_ptr<SceneDrawer>> list;
    list.reserve(13);
    list.push_back(always<ClearDrawer>());
    list.push_back(AngleLabelStage().makeDrawer());
    list.push_back(always<RotationDrawer>());
    list.push_back(always<BondPerceptionDrawer>());
    list.push_back(always<RotationAccumulator>());
    list.push_back(DipoleStage().makeDrawer());
    list.push_back(AxesStage().makeDrawer());
    list.push_back(SurfaceStage().makeDrawer());
    list.push_back(AtomStage().makeDrawer());
    list.push_back(BondStage().makeDrawer());
    list.push_back(ModeVectorStage().makeDrawer());
    list.push_back(AtomNumberStage().makeDrawer());
    list.push_back(OrbitalStage().makeDrawer());
    return list;
}

SceneRunner::SceneRunner() {
    sharedQuadric();
}

void SceneRunner::drawScene() {
    auto list = buildSceneList();
    for (auto& d : list)
        if (d) // a drawer that could not be allocated is left out
            d->draw();
    list.clear();
    glFinish();
}

SceneRunner& sceneRunner() {
    static SceneRunner runner;
    return runner;
}

} // namespace kalviro
