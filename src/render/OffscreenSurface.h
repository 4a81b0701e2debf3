#pragma once
// A GL context on an unmapped X window: frames are drawn into its back
// buffer and read from there, never shown. Used by the batch renderer, the
// GL tests and the benchmarks; needs an X display (Xvfb will do).

#include <memory>
#include <string>

#include "render/Frame.h"

namespace kalviro {

// Initialises GLUT's drawing helpers once per process; false without an X
// display.
bool ensureGlut();

class OffscreenSurface : public GlSurface {
  public:
    // Null, with the reason in error, when there is no display or no
    // double-buffered RGB visual with a depth buffer.
    static std::unique_ptr<OffscreenSurface> open(int width, int height, std::string& error);
    ~OffscreenSurface() override;

    bool makeCurrent() override;
    void swapBuffers() override;
    int clientWidth() const override { return width_; }
    int clientHeight() const override { return height_; }
    int depthBits() const { return depthBits_; }

  private:
    OffscreenSurface() = default;
    struct Handles;
    std::unique_ptr<Handles> handles_;
    int width_ = 0;
    int height_ = 0;
    int depthBits_ = 0;
};

} // namespace kalviro
