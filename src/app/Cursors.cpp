#include "app/Cursors.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace kalviro {
namespace {

wxImage imageFrom(void (*draw)(wxDC&), int hotX, int hotY) {
    wxBitmap bmp(32, 32, 24);
    {
        wxMemoryDC dc(bmp);
        dc.SetBackground(wxBrush(wxColour(255, 0, 255)));
        dc.Clear();
        draw(dc);
    }
    wxImage img = bmp.ConvertToImage();
    img.SetMaskColour(255, 0, 255);
    img.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, hotX);
    img.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, hotY);
    return img;
}

void drawHand(wxDC& dc) {
    // Back of a fist: four curled fingers over a palm, thumb at the side.
    dc.SetPen(wxPen(*wxBLACK));
    dc.SetBrush(wxBrush(wxColour(255, 224, 189)));
    dc.DrawRoundedRectangle(9, 12, 16, 12, 4);
    for (int i = 0; i < 4; ++i)
        dc.DrawRoundedRectangle(10 + 4 * i, 9, 4, 6, 2);
    dc.DrawRoundedRectangle(6, 14, 5, 7, 2);
}

void drawArrow(wxDC& dc) {
    const wxPoint outline[] = {wxPoint(0, 0),  wxPoint(0, 16), wxPoint(4, 12), wxPoint(7, 19),
                               wxPoint(9, 18), wxPoint(6, 11), wxPoint(11, 11)};
    dc.SetPen(wxPen(*wxWHITE));
    dc.SetBrush(*wxBLACK_BRUSH);
    dc.DrawPolygon(7, outline);
}

} // namespace

wxImage grabbingHandImage() {
    return imageFrom(drawHand, 16, 14);
}

wxImage arrowImage() {
    return imageFrom(drawArrow, 0, 0);
}

wxCursor grabbingHandCursor() {
    return wxCursor(grabbingHandImage());
}

wxCursor arrowCursor() {
    return wxCursor(arrowImage());
}

} // namespace kalviro
