#pragma once
// The 3D view: an OpenGL window that draws a frame on request and turns
// mouse input into picking, pan and rotation.

#include <functional>
#include <memory>

#include <wx/glcanvas.h>

#include "render/Frame.h"

namespace kalviro {

struct Document;

// What the view asks of the drawing and picking code; the program fills it
// once the view exists. An empty action does nothing.
struct ViewActions {
    // Draws one frame; the view's GL context is current, width x height is
    // its client area. Empty: the view clears to its background colour.
    std::function<void(int width, int height)> drawFrame;
    // Left click in pick mode at client (x, y); the context is current.
    std::function<void(int x, int y)> pickAt;
    // After a left drag moved: panX/panY from the drag record.
    std::function<void()> panUpdate;
    // After a right drag moved: pending rotations from the drag record.
    std::function<void(int clientWidth, int clientHeight)> rotationUpdate;
};

class MoleculeView : public wxGLCanvas, public GlSurface {
  public:
    // doc outlives the view; the view keeps its mouse-drag record there.
    MoleculeView(wxWindow* parent, Document& doc);
    ~MoleculeView() override;

    // Draws a frame now (the table's "redraw").
    void redraw();
    // Makes the view's GL context current; false when there is none.
    bool makeCurrent() override;
    void swapBuffers() override { SwapBuffers(); }
    // The client area in pixels (the GL drawable).
    int clientWidth() const override;
    int clientHeight() const override;
    // Which depth the window got: 32 bits or the 24-bit fallback.
    int depthBits() const { return depthBits_; }
    ViewActions& actions() { return actions_; }

  private:
    void onPaint(wxPaintEvent&);
    void onLeftDown(wxMouseEvent&);
    void onLeftUp(wxMouseEvent&);
    void onRightDown(wxMouseEvent&);
    void onRightUp(wxMouseEvent&);
    void onMotion(wxMouseEvent&);
    void onWheel(wxMouseEvent&);
    // The latest position of a right drag, and the pending rotation from it.
    void dragRotation(const wxMouseEvent& e);
    // The latest position of a left drag in pan mode, and the pan from it.
    void dragPan(const wxMouseEvent& e);
    void drawFrame();

    std::unique_ptr<wxGLContext> context_;
    wxCursor dragCursor_;
    wxCursor idleCursor_;
    int depthBits_ = 32;
    ViewActions actions_;
    Document& doc_;
};

// The attributes the view asks for: double-buffered RGBA with the given depth.
wxGLAttributes viewAttributes(int depthBits);

} // namespace kalviro
