#include "app/WxCanvas2D.h"

#include "app/DialogSupport.h"

namespace kalviro {
namespace {

wxPenStyle penStyle(PenStyle s) {
    switch (s) {
    case PenStyle::Dash:
        return wxPENSTYLE_SHORT_DASH;
    case PenStyle::Dot:
        return wxPENSTYLE_DOT;
    case PenStyle::DashDot:
        return wxPENSTYLE_DOT_DASH;
    case PenStyle::Solid:
        break;
    }
    return wxPENSTYLE_SOLID;
}

} // namespace

WxCanvas2D::WxCanvas2D(wxDC& dc, int width, int height) : dc_(dc), width_(width), height_(height) {
    // Text as a window draws it by default: black on an opaque white box.
    dc_.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
    dc_.SetTextForeground(*wxBLACK);
    dc_.SetTextBackground(*wxWHITE);
}

void WxCanvas2D::setPen(const Pen& pen) {
    dc_.SetPen(wxPen(wxColour(pen.colour.red, pen.colour.green, pen.colour.blue), pen.width,
                     penStyle(pen.style)));
}

void WxCanvas2D::drawLine(int x1, int y1, int x2, int y2) {
    dc_.DrawLine(x1, y1, x2, y2);
}

void WxCanvas2D::drawText(const std::string& text, int x, int y) {
    dc_.DrawText(u8(text), x, y);
}

} // namespace kalviro
