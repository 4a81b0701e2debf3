#pragma once
// A Canvas2D that paints into a Picture (white background), for plots saved
// as PNG. Text is drawn with FreeType from the usual system fonts (IPA
// Gothic, Noto CJK, DejaVu), each character from the first that has it;
// with none of them installed the picture has no text.

#include <memory>
#include <string>

#include "platform/Canvas2D.h"
#include "render/Frame.h"

namespace kalviro {

class RasterCanvas final : public Canvas2D {
  public:
    RasterCanvas(int width, int height);
    ~RasterCanvas() override;

    int width() const override { return picture_.width; }
    int height() const override { return picture_.height; }
    void setPen(const Pen& pen) override { pen_ = pen; }
    void drawLine(int x1, int y1, int x2, int y2) override;
    void drawText(const std::string& text, int x, int y) override;

    const Picture& picture() const { return picture_; }

  private:
    struct Font;
    void blend(int x, int y, const Colour& c, double alpha);
    void dot(int x, int y);

    Picture picture_;
    Pen pen_;
    std::unique_ptr<Font> font_;
};

} // namespace kalviro
