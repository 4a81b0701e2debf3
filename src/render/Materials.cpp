#include "render/Materials.h"

#include <GL/gl.h>

namespace kalviro {
namespace {
constexpr float a = translucentAlpha;

// In MaterialId order.
constexpr MaterialValues kMaterials[] = {
    // Bond
    {{0.19225f, 0.19225f, 0.19225f, 0.5f},
     {0.50754f, 0.50754f, 0.50754f, 0.5f},
     {0.508273f, 0.508273f, 0.508273f, 0.5f},
     51.2f,
     false},
    // Green
    {{0.05f, 0.7f, 0.05f, a}, {0.3f, 0.5f, 0.3f, a}, {0.5f, 0.5f, 0.5f, 0.0f}, 50.0f, false},
    // Blue
    {{0.05f, 0.05f, 0.7f, a}, {0.3f, 0.3f, 0.5f, a}, {0.5f, 0.5f, 0.5f, 0.0f}, 50.0f, true},
    // Red
    {{0.7f, 0.05f, 0.05f, a}, {0.5f, 0.3f, 0.3f, a}, {1.0f, 1.0f, 1.0f, 0.0f}, 50.0f, false},
    // Yellow
    {{0.5f, 0.5f, 0.3f, a}, {0.8f, 0.8f, 0.4f, a}, {1.0f, 1.0f, 1.0f, 0.0f}, 100.0f, false},
    // Copper
    {{0.19125f, 0.0735f, 0.0225f, a},
     {0.7038f, 0.27048f, 0.0828f, a},
     {0.256777f, 0.137622f, 0.086014f, 0.0f},
     12.8f,
     false},
    // Purple
    {{0.7f, 0.5f, 0.7f, a}, {0.6f, 0.0f, 0.6f, a}, {1.0f, 1.0f, 1.0f, 0.0f}, 100.0f, false},
    // Dark
    {{0.5f, 0.5f, 0.5f, a}, {0.1f, 0.1f, 0.1f, a}, {1.0f, 1.0f, 1.0f, 0.0f}, 100.0f, false},
    // Selection
    {{0.5f, 0.5f, 0.5f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 100.0f, false},
    // Grey
    {{0.3f, 0.3f, 0.3f, 1.0f}, {0.7f, 0.7f, 0.7f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 100.0f, false},
    // Gold
    {{0.24725f, 0.1995f, 0.0745f, a},
     {0.75164f, 0.60648f, 0.22648f, a},
     {0.628281f, 0.555802f, 0.366065f, 0.0f},
     51.2f,
     false},
    // Vector
    {{0.5f, 0.04f, 0.04f, 0.8f},
     {0.61424f, 0.04136f, 0.04136f, 0.8f},
     {1.0f, 1.0f, 1.0f, 0.8f},
     100.0f,
     false},
    // Dipole
    {{0.04f, 0.5f, 0.04f, 1.0f},
     {0.04136f, 0.61424f, 0.04136f, 1.0f},
     {1.0f, 1.0f, 1.0f, 1.0f},
     100.0f,
     false},
    // Label
    {{0.7f, 0.5f, 0.5f, 1.0f}, {1.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 100.0f, false},
    // Surface
    {{0.3f, 0.3f, 0.3f, 1.0f},
     {0.35164f, 0.30648f, 0.32648f, 1.0f},
     {1.0f, 1.0f, 1.0f, 1.0f},
     100.0f,
     false},
    // ContourBlue
    {{0.05f, 0.05f, 0.8f, 1.0f}, {0.1f, 0.1f, 0.5f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 50.0f, false},
    // ContourRed
    {{0.8f, 0.05f, 0.05f, 1.0f}, {0.5f, 0.1f, 0.1f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 50.0f, false},
};
static_assert(sizeof(kMaterials) / sizeof(kMaterials[0]) ==
              static_cast<int>(MaterialId::ContourRed) + 1);
} // namespace

const MaterialValues& materialValues(MaterialId id) {
    const auto i = static_cast<unsigned>(id);
    // An id outside the table (a corrupted atom) is drawn as an unknown element.
    if (i >= sizeof(kMaterials) / sizeof(kMaterials[0]))
        return kMaterials[static_cast<int>(MaterialId::Gold)];
    return kMaterials[i];
}

void applyMaterial(MaterialId id) {
    const MaterialValues& m = materialValues(id);
    const GLenum face = m.frontAndBack ? GL_FRONT_AND_BACK : GL_FRONT;
    glMaterialfv(face, GL_AMBIENT, m.ambient);
    glMaterialfv(face, GL_DIFFUSE, m.diffuse);
    glMaterialfv(face, GL_SPECULAR, m.specular);
    glMaterialfv(face, GL_SHININESS, &m.shininess);
}

} // namespace kalviro
