#include "app/ToolbarImages.h"

#include <wx/dcmemory.h>
#include <wx/image.h>

#include "render/ViewCommands.h"

namespace kalviro {
namespace {

const wxColour kInk(40, 40, 40);
const wxColour kRed(200, 30, 30);
const wxColour kGreen(20, 150, 40);
const wxColour kBlue(30, 60, 200);
const wxColour kGrey(130, 130, 130);
const wxColour kYellow(230, 190, 60);

void ball(wxDC& dc, int x, int y, int r, const wxColour& c) {
    dc.SetPen(wxPen(kInk));
    dc.SetBrush(wxBrush(c));
    dc.DrawCircle(x, y, r);
}

void line(wxDC& dc, int x1, int y1, int x2, int y2, const wxColour& c, int width = 1) {
    dc.SetPen(wxPen(c, width));
    dc.DrawLine(x1, y1, x2, y2);
}

// A line from (x1, y1) to (x2, y2) with a small filled head at the end.
void arrow(wxDC& dc, int x1, int y1, int x2, int y2, const wxColour& c, int width = 1) {
    line(dc, x1, y1, x2, y2, c, width);
    const double dx = x2 - x1, dy = y2 - y1;
    const double len = std::max(1.0, std::sqrt(dx * dx + dy * dy));
    const double ux = dx / len, uy = dy / len;
    wxPoint head[3] = {
        wxPoint(x2, y2),
        wxPoint(int(x2 - 4 * ux + 3 * uy), int(y2 - 4 * uy - 3 * ux)),
        wxPoint(int(x2 - 4 * ux - 3 * uy), int(y2 - 4 * uy + 3 * ux)),
    };
    dc.SetPen(wxPen(c));
    dc.SetBrush(wxBrush(c));
    dc.DrawPolygon(3, head);
}

void letter(wxDC& dc, const wxString& text, int x, int y, const wxColour& c) {
    dc.SetFont(wxFont(wxFontInfo(7).Family(wxFONTFAMILY_SWISS).Bold()));
    dc.SetTextForeground(c);
    dc.DrawText(text, x, y);
}

void magnifier(wxDC& dc, bool plus) {
    dc.SetPen(wxPen(kInk, 2));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawCircle(6, 6, 5);
    line(dc, 10, 10, 15, 15, kInk, 3);
    line(dc, 3, 6, 10, 6, kBlue, 2);
    if (plus)
        line(dc, 6, 3, 6, 10, kBlue, 2);
}

// A circular arrow around the middle and the axis letter with its sign.
void rotation(wxDC& dc, char axis, bool positive) {
    const wxColour c = axis == 'X' ? kRed : axis == 'Y' ? kGreen : kBlue;
    dc.SetPen(wxPen(c, 1));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawEllipticArc(1, 3, 14, 11, 180, 360);
    if (positive)
        arrow(dc, 4, 12, 1, 9, c);
    else
        arrow(dc, 11, 12, 14, 9, c);
    letter(dc, wxString(axis) + (positive ? "+" : "-"), 3, 3, kInk);
}

void axisEnd(wxDC& dc, const wxString& axis, const wxColour& c) {
    ball(dc, 8, 8, 7, *wxWHITE);
    ball(dc, 8, 8, 2, c);
    letter(dc, axis, 1, 0, c);
}

void draw(wxDC& dc, int id) {
    switch (id) {
    case cmd::LoadData: // an open folder
        dc.SetPen(wxPen(kInk));
        dc.SetBrush(wxBrush(kYellow));
        dc.DrawRectangle(1, 4, 12, 10);
        dc.DrawRectangle(1, 3, 5, 2);
        arrow(dc, 13, 1, 13, 8, kBlue, 2);
        break;
    case cmd::SaveImageButton: // a picture with a disk corner
        dc.SetPen(wxPen(kInk));
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(1, 1, 14, 12);
        dc.SetBrush(wxBrush(kGreen));
        {
            const wxPoint hill[] = {wxPoint(2, 12), wxPoint(7, 5), wxPoint(12, 12)};
            dc.DrawPolygon(3, hill);
        }
        ball(dc, 11, 4, 2, kRed);
        dc.SetBrush(wxBrush(kBlue));
        dc.DrawRectangle(9, 10, 6, 6);
        break;
    case cmd::Redraw: // the molecule
        line(dc, 4, 11, 11, 5, kInk, 2);
        ball(dc, 4, 11, 3, kGrey);
        ball(dc, 11, 5, 3, kRed);
        break;
    case cmd::PanMode: // four-way move arrows
        arrow(dc, 8, 8, 8, 1, kInk);
        arrow(dc, 8, 8, 8, 15, kInk);
        arrow(dc, 8, 8, 1, 8, kInk);
        arrow(dc, 8, 8, 15, 8, kInk);
        break;
    case cmd::ResetCoordinates: // back to the start: a curved return arrow
        dc.SetPen(wxPen(kBlue, 2));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawEllipticArc(2, 2, 12, 12, -90, 180);
        arrow(dc, 8, 2, 2, 2, kBlue, 2);
        ball(dc, 8, 8, 2, kGrey);
        break;
    case cmd::ShowAxes: // x, y, z axes
        arrow(dc, 4, 12, 15, 12, kRed);
        arrow(dc, 4, 12, 4, 1, kGreen);
        arrow(dc, 4, 12, 0, 15, kBlue);
        break;
    case cmd::ShowSurface: // a grid plane and its normal
        dc.SetPen(wxPen(kGrey));
        for (int i = 0; i < 4; ++i) {
            dc.DrawLine(1 + 3 * i, 15, 4 + 3 * i, 11);
            dc.DrawLine(1 + i, 15 - i, 13 + i, 15 - i);
        }
        arrow(dc, 8, 13, 8, 1, kRed, 2);
        break;
    case cmd::ZoomIn:
        magnifier(dc, true);
        break;
    case cmd::ZoomOut:
        magnifier(dc, false);
        break;
    case cmd::ShowModes: // a molecule with displacement arrows
        line(dc, 4, 11, 11, 11, kInk, 2);
        ball(dc, 4, 11, 2, kGrey);
        ball(dc, 11, 11, 2, kRed);
        arrow(dc, 4, 10, 1, 3, kBlue);
        arrow(dc, 11, 10, 14, 3, kBlue);
        break;
    case cmd::ShowDipole: // one bold arrow and mu
        arrow(dc, 2, 14, 13, 3, kRed, 2);
        letter(dc, wxString::FromUTF8("μ"), 1, 1, kInk);
        break;
    case cmd::VectorLonger:
        arrow(dc, 1, 12, 15, 12, kBlue, 2);
        arrow(dc, 5, 5, 11, 5, kGrey);
        break;
    case cmd::VectorShorter:
        arrow(dc, 1, 5, 15, 5, kGrey);
        arrow(dc, 5, 12, 11, 12, kBlue, 2);
        break;
    case cmd::Animate: { // play: a triangle beside a swinging atom
        wxPoint play[3] = {wxPoint(2, 3), wxPoint(2, 13), wxPoint(9, 8)};
        dc.SetPen(wxPen(kGreen));
        dc.SetBrush(wxBrush(kGreen));
        dc.DrawPolygon(3, play);
        arrow(dc, 11, 8, 15, 4, kBlue);
        ball(dc, 12, 11, 3, kRed);
        break;
    }
    case cmd::Viewpoint: // an eye
        dc.SetPen(wxPen(kInk));
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawEllipse(1, 4, 14, 8);
        ball(dc, 8, 8, 3, kBlue);
        break;
    case cmd::FitView: // a molecule inside four frame corners
        for (const int x : {1, 14})
            for (const int y : {1, 14}) {
                line(dc, x, y, x == 1 ? 5 : 10, y, kInk);
                line(dc, x, y, x, y == 1 ? 5 : 10, kInk);
            }
        line(dc, 5, 10, 10, 5, kGrey, 2);
        ball(dc, 5, 10, 2, kBlue);
        ball(dc, 10, 5, 2, kRed);
        break;
    case cmd::ViewAlongX: // the axis letter on a ball facing the viewer
        axisEnd(dc, "x", kRed);
        break;
    case cmd::ViewAlongY:
        axisEnd(dc, "y", kGreen);
        break;
    case cmd::ViewAlongZ:
        axisEnd(dc, "z", kBlue);
        break;
    case cmd::RotateXPlus:
        rotation(dc, 'X', true);
        break;
    case cmd::RotateYPlus:
        rotation(dc, 'Y', true);
        break;
    case cmd::RotateZPlus:
        rotation(dc, 'Z', true);
        break;
    case cmd::RotateXMinus:
        rotation(dc, 'X', false);
        break;
    case cmd::RotateYMinus:
        rotation(dc, 'Y', false);
        break;
    case cmd::RotateZMinus:
        rotation(dc, 'Z', false);
        break;
    default:
        break;
    }
}

// Draws on a magenta ground that becomes transparent.
wxBitmap paint(int size, const std::function<void(wxDC&)>& f) {
    wxBitmap bmp(size, size, 24);
    {
        wxMemoryDC dc(bmp);
        dc.SetBackground(wxBrush(wxColour(255, 0, 255)));
        dc.Clear();
        f(dc);
    }
    wxImage img = bmp.ConvertToImage();
    img.SetMaskColour(255, 0, 255);
    return wxBitmap(img);
}

} // namespace

wxBitmap toolbarImage(int id) {
    return paint(16, [id](wxDC& dc) { draw(dc, id); });
}

wxBitmap applicationImage() {
    return paint(32, [](wxDC& dc) {
        line(dc, 8, 22, 16, 12, kInk, 3);
        line(dc, 16, 12, 25, 22, kInk, 3);
        ball(dc, 16, 12, 6, kRed);
        ball(dc, 8, 22, 5, kGrey);
        ball(dc, 25, 22, 5, kGrey);
        arrow(dc, 16, 8, 16, 1, kBlue, 2);
    });
}

} // namespace kalviro
