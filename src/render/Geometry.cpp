#include "render/Geometry.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glx.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "render/SceneRunner.h"

namespace kalviro {
namespace {

enum class Solid { Sphere, Cylinder, Cone };
using Key = std::tuple<Solid, double, double, int, int>;

struct ListCache {
    bool enabled = true;
    GLXContext owner = nullptr;
    std::map<Key, GLuint> lists;

    // The list for key, compiled by draw on first use in this context; 0 when
    // lists are off or cannot be made.
    template <class F> GLuint get(const Key& key, F draw) {
        if (!enabled)
            return 0;
        const GLXContext current = glXGetCurrentContext();
        if (current != owner) {
            lists.clear();
            owner = current;
        }
        if (auto it = lists.find(key); it != lists.end())
            return it->second;
        const GLuint id = glGenLists(1);
        if (id == 0)
            return 0;
        glNewList(id, GL_COMPILE);
        draw();
        glEndList();
        lists.emplace(key, id);
        return id;
    }
};

// Never destroyed: a surface that outlives main (a static) still forgets its
// lists through it.
ListCache& cache() {
    static ListCache* c = new ListCache();
    return *c;
}

} // namespace

void solidSphere(double radius, int slices, int stacks) {
    auto draw = [=] { glutSolidSphere(radius, slices, stacks); };
    if (GLuint id = cache().get({Solid::Sphere, radius, 0.0, slices, stacks}, draw))
        glCallList(id);
    else
        draw();
}

void cylinder(double base, double top, double height, int slices, int stacks) {
    // Only straight tubes share a list: their side normals have no z part,
    // so stretching a unit tube along z keeps the lighting exact.
    if (base == top && cache().enabled) {
        auto draw = [=] { gluCylinder(sharedQuadric(), base, base, 1.0, slices, stacks); };
        if (GLuint id = cache().get({Solid::Cylinder, base, 0.0, slices, stacks}, draw)) {
            glPushMatrix();
            glScaled(1.0, 1.0, height);
            glCallList(id);
            glPopMatrix();
            return;
        }
    }
    gluCylinder(sharedQuadric(), base, top, height, slices, stacks);
}

void solidCone(double base, double height, int slices, int stacks) {
    auto draw = [=] { glutSolidCone(base, height, slices, stacks); };
    if (GLuint id = cache().get({Solid::Cone, base, height, slices, stacks}, draw))
        glCallList(id);
    else
        draw();
}

void orientZOnto(const Vector3& d, double length) {
    const double ux = -d.x / length, uy = -d.y / length, uz = 1.0 - d.z / length;
    const double half = std::sqrt(ux * ux + uy * uy + uz * uz) / 2.0;
    const double pi = 4.0 * std::atan(1.0);
    const double angle = -2.0 * std::asin(std::clamp(half, -1.0, 1.0)) * 180.0 / pi;
    glRotatef(static_cast<float>(angle), static_cast<float>(d.y / length),
              static_cast<float>(-d.x / length), 0.0f);
}

void setGeometryLists(bool on) {
    if (!on)
        forgetGeometryLists();
    cache().enabled = on;
}

bool geometryLists() {
    return cache().enabled;
}

void forgetGeometryLists() {
    cache().lists.clear();
    cache().owner = nullptr;
}

} // namespace kalviro
