#include "app/ZUREDIVORiza.h"

#include <GL/gl.h>
#include <wx/dcclient.h>

#include "app/AppHooks.h"
#include "app/Cursors.h"
#include "model/MoleculeState.h"
#include "render/Geometry.h"
#include "render/ViewCommands.h"
#include "document/ViewSettings.h"

namespace kalviro {

wxGLAttributes viewAttributes(int depthBits) {
    wxGLAttributes attrs;
    attrs.PlatformDefaults().RGBA().DoubleBuffer().Depth(depthBits).EndList();
    return attrs;
}

namespace {
// Real drivers often lack 32 depth bits; 24 is always there.
int supportedDepth() {
    return wxGLCanvas::IsDisplaySupported(viewAttributes(32)) ? 32 : 24;
}
} // namespace

ZUREDIVORiza::ZUREDIVORiza(wxWindow* parent)
    : wxGLCanvas(parent, viewAttributes(supportedDepth()), wxID_ANY, wxDefaultPosition,
                 wxDefaultSize, wxFULL_REPAINT_ON_RESIZE),
      dragCursor_(grabbingHandCursor()), idleCursor_(arrowCursor()), depthBits_(supportedDepth()) {
    context_ = std::make_unique<wxGLContext>(this);
    SetCursor(idleCursor_);
    Bind(wxEVT_PAINT, &ZUREDIVORiza::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &ZUREDIVORiza::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &ZUREDIVORiza::onLeftUp, this);
    Bind(wxEVT_RIGHT_DOWN, &ZUREDIVORiza::onRightDown, this);
    Bind(wxEVT_RIGHT_UP, &ZUREDIVORiza::onRightUp, this);
    Bind(wxEVT_MOTION, &ZUREDIVORiza::onMotion, this);
    Bind(wxEVT_MOUSEWHEEL, &ZUREDIVORiza::onWheel, this);
    // The middle button has no use here; left to wx, Ctrl+Alt+middle click
    // opens wx's own English build-information box over the view.
    Bind(wxEVT_MIDDLE_DOWN, [](wxMouseEvent&) {});
    // The GL picture covers everything; no background erase.
    Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
}

ZUREDIVORiza::~ZUREDIVORiza() {
    // The compiled solids belong to this context; a later one compiles anew.
    forgetGeometryLists();
}

int ZUREDIVORiza::clientWidth() const {
    return (GetClientSize() * GetContentScaleFactor()).x;
}

int ZUREDIVORiza::clientHeight() const {
    return (GetClientSize() * GetContentScaleFactor()).y;
}

bool ZUREDIVORiza::makeCurrent() {
    if (!context_ || !IsShownOnScreen())
        return false;
    return SetCurrent(*context_);
}

void ZUREDIVORiza::drawFrame() {
    if (!makeCurrent())
        return;
    glViewport(0, 0, clientWidth(), clientHeight());
    if (appHooks().drawFrame) {
        appHooks().drawFrame(clientWidth(), clientHeight());
    } else {
        const float c = viewSettings().whiteBackground == 1 ? 1.0f : 0.0f;
        glClearColor(c, c, c, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    SwapBuffers();
}

void ZUREDIVORiza::onPaint(wxPaintEvent&) {
    wxPaintDC dc(this); // validates the damaged area
    drawFrame();
}

void ZUREDIVORiza::redraw() {
    // The commands draw at once, as they always have; a hidden view waits
    // for its first paint.
    if (IsShownOnScreen())
        drawFrame();
    else
        Refresh(false);
}

void ZUREDIVORiza::onLeftDown(wxMouseEvent& e) {
    MoleculeState& m = moleculeState();
    clearPendingRotation(m);
    if (m.drag.pickMode == 0) {
        m.drag.panning = 1;
        SetCursor(dragCursor_);
        m.drag.panStartX = static_cast<float>(e.GetX());
        m.drag.panStartY = static_cast<float>(e.GetY());
    } else if (appHooks().pickAt && makeCurrent()) {
        appHooks().pickAt(e.GetX(), e.GetY());
    }
    redraw();
    e.Skip(); // keeps keyboard focus handling
}

void ZUREDIVORiza::onLeftUp(wxMouseEvent& e) {
    MoleculeState& m = moleculeState();
    if (m.drag.pickMode == 0) {
        m.drag.panning = 0;
        SetCursor(idleCursor_);
        dragPan(e);
    }
    redraw();
    e.Skip();
}

void ZUREDIVORiza::onRightDown(wxMouseEvent& e) {
    MoleculeState& m = moleculeState();
    m.drag.rotating = 1;
    SetCursor(dragCursor_);
    m.drag.rotateStartX = static_cast<float>(e.GetX());
    m.drag.rotateStartY = static_cast<float>(e.GetY());
    e.Skip();
}

void ZUREDIVORiza::onRightUp(wxMouseEvent& e) {
    MoleculeState& m = moleculeState();
    m.drag.rotating = 0;
    SetCursor(idleCursor_);
    dragRotation(e);
    redraw();
    e.Skip();
}

void ZUREDIVORiza::onMotion(wxMouseEvent& e) {
    MoleculeState& m = moleculeState();
    if (m.drag.rotating == 1 && m.drag.panning == 0) {
        SetCursor(dragCursor_);
        dragRotation(e);
    } else if (m.drag.rotating == 0 && m.drag.panning == 1) {
        SetCursor(dragCursor_);
        dragPan(e);
    }
    redraw();
    e.Skip();
}

void ZUREDIVORiza::dragRotation(const wxMouseEvent& e) {
    MoleculeState& m = moleculeState();
    m.drag.rotateCurrentX = static_cast<float>(e.GetX());
    m.drag.rotateCurrentY = static_cast<float>(e.GetY());
    if (appHooks().rotationUpdate) {
        const wxSize size = GetClientSize();
        appHooks().rotationUpdate(size.x, size.y);
    }
}

void ZUREDIVORiza::dragPan(const wxMouseEvent& e) {
    MoleculeState& m = moleculeState();
    m.drag.panCurrentX = static_cast<float>(e.GetX());
    m.drag.panCurrentY = static_cast<float>(e.GetY());
    if (appHooks().panUpdate)
        appHooks().panUpdate();
}

void ZUREDIVORiza::onWheel(wxMouseEvent& e) {
    // Away from the user zooms in, towards the user zooms out, as the
    // toolbar's zoom buttons do.
    if (e.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || e.GetWheelRotation() == 0)
        return;
    runViewCommand(e.GetWheelRotation() > 0 ? cmd::ZoomIn : cmd::ZoomOut);
}

} // namespace kalviro
