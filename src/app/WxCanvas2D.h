#pragma once
// Canvas2D on a wx device context: the preview's plot drawn into a window
// or a bitmap.

#include <wx/dc.h>

#include "platform/Canvas2D.h"

namespace kalviro {

class WxCanvas2D final : public Canvas2D {
  public:
    // Draws on dc, whose drawable area is width x height pixels.
    WxCanvas2D(wxDC& dc, int width, int height);

    int width() const override { return width_; }
    int height() const override { return height_; }
    void setPen(const Pen& pen) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void drawText(const std::string& text, int x, int y) override;

  private:
    wxDC& dc_;
    int width_;
    int height_;
};

} // namespace kalviro
