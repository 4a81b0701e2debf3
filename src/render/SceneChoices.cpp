#include "render/SceneChoices.h"

#include <memory>

namespace kalviro {
namespace {
std::unique_ptr<SceneChoices> theChoices;
}

SceneChoices& sceneChoices() {
    if (!theChoices)
        theChoices = std::make_unique<SceneChoices>();
    return *theChoices;
}

void resetSceneChoices() {
    theChoices = std::make_unique<SceneChoices>();
}

} // namespace kalviro
