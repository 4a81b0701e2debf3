#include "app/MoleculeView.h"

#include <GL/gl.h>
#include <wx/dcclient.h>

#include "app/Cursors.h"
#include "app/DialogSupport.h"
#include "document/Document.h"
#include "render/Geometry.h"
#include "render/MouseDrag.h"
#include "render/ViewCommands.h"

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

MoleculeView::MoleculeView(wxWindow* parent, Document& doc)
    : wxGLCanvas(parent, viewAttributes(supportedDepth()), wxID_ANY, wxDefaultPosition,
                 wxDefaultSize, wxFULL_REPAINT_ON_RESIZE),
      dragCursor_(grabbingHandCursor()), idleCursor_(arrowCursor()), depthBits_(supportedDepth()),
      doc_(doc) {
    context_ = std::make_unique<wxGLContext>(this);
    SetCursor(idleCursor_);
    Bind(wxEVT_PAINT, &MoleculeView::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &MoleculeView::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &MoleculeView::onLeftUp, this);
    Bind(wxEVT_RIGHT_DOWN, &MoleculeView::onRightDown, this);
    Bind(wxEVT_RIGHT_UP, &MoleculeView::onRightUp, this);
    Bind(wxEVT_MOTION, &MoleculeView::onMotion, this);
    Bind(wxEVT_MOUSEWHEEL, &MoleculeView::onWheel, this);
    // The middle button has no use here; left to wx, Ctrl+Alt+middle click
    // opens wx's own English build-information box over the view.
    Bind(wxEVT_MIDDLE_DOWN, [](wxMouseEvent&) {});
    // The GL picture covers everything; no background erase.
    Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
}

MoleculeView::~MoleculeView() {
    // The compiled solids belong to this context; a later one compiles anew.
    forgetGeometryLists();
}

int MoleculeView::clientWidth() const {
    return (GetClientSize() * GetContentScaleFactor()).x;
}

int MoleculeView::clientHeight() const {
    return (GetClientSize() * GetContentScaleFactor()).y;
}

bool MoleculeView::makeCurrent() {
    if (!context_ || !IsShownOnScreen())
        return false;
    return SetCurrent(*context_);
}

void MoleculeView::drawFrame() {
    if (!makeCurrent())
        return;
    glViewport(0, 0, clientWidth(), clientHeight());
    if (actions_.drawFrame) {
        actions_.drawFrame(clientWidth(), clientHeight());
    } else {
        const float c = doc_.view.whiteBackground ? 1.0f : 0.0f;
        glClearColor(c, c, c, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    SwapBuffers();
}

void MoleculeView::onPaint(wxPaintEvent&) {
    wxPaintDC dc(this); // validates the damaged area
    drawFrame();
}

void MoleculeView::redraw() {
    // The commands draw at once, as they always have; a hidden view waits
    // for its first paint.
    if (IsShownOnScreen())
        drawFrame();
    else
        Refresh(false);
}

void MoleculeView::onLeftDown(wxMouseEvent& e) {
    MoleculeState& m = doc_.molecule;
    clearPendingRotation(m);
    if (!m.drag.pickMode) {
        m.drag.panning = true;
        SetCursor(dragCursor_);
        beginPan(m, static_cast<float>(e.GetX()), static_cast<float>(e.GetY()));
    } else if (actions_.pickAt && makeCurrent()) {
        actions_.pickAt(e.GetX(), e.GetY());
    }
    redraw();
    e.Skip(); // keeps keyboard focus handling
}

void MoleculeView::onLeftUp(wxMouseEvent& e) {
    MoleculeState& m = doc_.molecule;
    if (!m.drag.pickMode) {
        m.drag.panning = false;
        SetCursor(idleCursor_);
        dragPan(e);
    }
    redraw();
    e.Skip();
}

void MoleculeView::onRightDown(wxMouseEvent& e) {
    MoleculeState& m = doc_.molecule;
    m.drag.rotating = true;
    SetCursor(dragCursor_);
    m.drag.rotateStartX = static_cast<float>(e.GetX());
    m.drag.rotateStartY = static_cast<float>(e.GetY());
    e.Skip();
}

void MoleculeView::onRightUp(wxMouseEvent& e) {
    MoleculeState& m = doc_.molecule;
    m.drag.rotating = false;
    SetCursor(idleCursor_);
    dragRotation(e);
    redraw();
    e.Skip();
}

void MoleculeView::onMotion(wxMouseEvent& e) {
    MoleculeState& m = doc_.molecule;
    if (m.drag.rotating && !m.drag.panning) {
        SetCursor(dragCursor_);
        dragRotation(e);
    } else if (!m.drag.rotating && m.drag.panning) {
        SetCursor(dragCursor_);
        dragPan(e);
    }
    redraw();
    e.Skip();
}

void MoleculeView::dragRotation(const wxMouseEvent& e) {
    MoleculeState& m = doc_.molecule;
    m.drag.rotateCurrentX = static_cast<float>(e.GetX());
    m.drag.rotateCurrentY = static_cast<float>(e.GetY());
    if (actions_.rotationUpdate) {
        const wxSize size = GetClientSize();
        actions_.rotationUpdate(size.x, size.y);
    }
}

void MoleculeView::dragPan(const wxMouseEvent& e) {
    MoleculeState& m = doc_.molecule;
    m.drag.panCurrentX = static_cast<float>(e.GetX());
    m.drag.panCurrentY = static_cast<float>(e.GetY());
    if (actions_.panUpdate)
        actions_.panUpdate();
}

void MoleculeView::onWheel(wxMouseEvent& e) {
    // Away from the user zooms in, towards the user zooms out, as the
    // toolbar's zoom buttons do.
    if (e.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || e.GetWheelRotation() == 0)
        return;
    sendCommand(this, e.GetWheelRotation() > 0 ? cmd::ZoomIn : cmd::ZoomOut);
}

} // namespace kalviro
