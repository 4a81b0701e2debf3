#pragma once
// A Canvas2D that builds an SVG picture of the same size, for papers and
// reports. Consecutive lines drawn with the same pen, each starting where the
// previous one ended, become one polyline.

#include <string>
#include <vector>

#include "platform/Canvas2D.h"

namespace kalviro {

class SvgCanvas final : public Canvas2D {
  public:
    SvgCanvas(int width, int height);

    int width() const override { return width_; }
    int height() const override { return height_; }
    void setPen(const Pen& pen) override { pen_ = pen; }
    void drawLine(int x1, int y1, int x2, int y2) override;
    void drawText(const std::string& text, int x, int y) override;

    // The complete document (UTF-8).
    std::string document();

  private:
    struct Point {
        int x, y;
    };
    void flushPath();

    int width_;
    int height_;
    Pen pen_;
    Pen pathPen_;
    std::vector<Point> path_;
    std::string body_;
};

} // namespace kalviro
