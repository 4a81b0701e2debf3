#pragma once
// A surface for flat line drawings (the spectrum preview): pens, straight
// lines and text, in whole pixels with y growing downwards. The desktop
// program draws on a window; the batch command line writes SVG.

#include <cstdint>
#include <string>

namespace kalviro {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

enum class PenStyle { Solid, Dash, Dot, DashDot };

struct Pen {
    Colour colour;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool operator==(const Pen&) const = default;
};

class Canvas2D {
  public:
    virtual ~Canvas2D() = default;
    // The drawable area in pixels.
    virtual int width() const = 0;
    virtual int height() const = 0;
    // The pen every following line is drawn with.
    virtual void setPen(const Pen& pen) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    // UTF-8 text in the default font, its top-left corner at (x, y), black
    // on an opaque white box (the default text attributes of a window).
    virtual void drawText(const std::string& text, int x, int y) = 0;
};

} // namespace kalviro
