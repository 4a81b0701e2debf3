#pragma once
// A frame is a list of small drawers built anew each time; a stage decides
// whether its real drawer or one that does nothing goes into the list.

#include <cstdint>
#include <memory>

namespace kalviro {

class SceneDrawer {
  public:
    virtual ~SceneDrawer() = default;
    // Draws into the current context; always true.
    virtual bool draw() = 0;
};

class NullDrawer : public SceneDrawer {
  public:
    bool draw() override { return true; }
};

class RenderStage {
  public:
    virtual ~RenderStage() = default;
    virtual std::uint8_t isActive() const = 0;
    // The real drawer when active, else a NullDrawer; null when out of memory.
    virtual std::unique_ptr<SceneDrawer> makeDrawer() const = 0;
};

// Stage whose real drawer is D.
template <class D> class StageFor : public RenderStage {
  public:
    std::unique_ptr<SceneDrawer> makeDrawer() const override {
        if (isActive())
            return std::unique_ptr<SceneDrawer>(new (std::nothrow) D());
        return std::unique_ptr<SceneDrawer>(new (std::nothrow) NullDrawer());
    }
};

} // namespace kalviro
