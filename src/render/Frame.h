#pragma once
// One frame: the context made current, the state a fresh context has, the
// camera, the scene, the swap. And the picture of a frame read back.

#include <cstdint>
#include <vector>

namespace kalviro {

struct Document;

// A drawable with its GL context: the view's canvas, or an off-screen one.
class GlSurface {
  public:
    virtual ~GlSurface() = default;
    // False when no context could be made current (nothing is drawn then).
    virtual bool makeCurrent() = 0;
    virtual void swapBuffers() = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
};

// RGB bytes, rows from the bottom of the picture up, no row padding.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// Identity model-view matrix, viewport over the client area, depth clear
// value 1, depth test on, depth mask true: how every frame starts, also when
// the context lives longer than one frame.
void beginFrame(int width, int height);

// beginFrame, the camera fitted when the document asks for it (the view's
// shape is known here), then setupCamera.
void startFrame(Document& doc, int width, int height);

// Current -> fresh state -> camera -> scene -> swap.
void drawFrame(GlSurface& surface, Document& doc);

// Draws the frame again and reads it from the back buffer before the swap,
// so the picture is the frame just drawn. The width is cut to a multiple
// of 4.
Picture captureFrame(GlSurface& surface, Document& doc);

} // namespace kalviro
