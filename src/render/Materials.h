#pragma once
// The GL values of the seventeen material presets. Lighting is always on and
// nothing carries vertex colours, so these decide every colour on screen.

#include "model/MaterialId.h"

namespace kalviro {

// Alpha of the element materials; translucent when blending is on.
constexpr float translucentAlpha = 0.7f;

struct MaterialValues {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float shininess;
    bool frontAndBack; // the carbon blue lights the inside of clipped spheres too
};

const MaterialValues& materialValues(MaterialId id);

// Sets ambient, diffuse, specular and shininess, in that order.
void applyMaterial(MaterialId id);

} // namespace kalviro
