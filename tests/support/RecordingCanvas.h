#pragma once
// A Canvas2D that records every call, for checking drawings pixel by pixel.

#include <string>
#include <utility>
#include <vector>

#include "platform/Canvas2D.h"

namespace kalviro::test {

class RecordingCanvas final : public Canvas2D {
  public:
    struct Line {
        Pen pen;
        int x1, y1, x2, y2;
    };
    struct Text {
        std::string text;
        int x, y;
    };
    using Points = std::vector<std::pair<int, int>>;

    RecordingCanvas(int width, int height) : width_(width), height_(height) {}
    int width() const override { return width_; }
    int height() const override { return height_; }
    void setPen(const Pen& pen) override { pens.push_back(pen); }
    void drawLine(int x1, int y1, int x2, int y2) override {
        lines.push_back({pens.empty() ? Pen{} : pens.back(), x1, y1, x2, y2});
    }
    void drawText(const std::string& text, int x, int y) override { texts.push_back({text, x, y}); }

    std::vector<Line> linesWith(const Pen& pen) const {
        std::vector<Line> out;
        for (const Line& l : lines)
            if (l.pen == pen)
                out.push_back(l);
        return out;
    }
    // Chains of lines drawn with pen, each line starting where the last ended.
    std::vector<Points> pathsWith(const Pen& pen) const {
        std::vector<Points> out;
        for (const Line& l : linesWith(pen)) {
            if (out.empty() || out.back().back() != std::pair{l.x1, l.y1})
                out.push_back({{l.x1, l.y1}});
            out.back().push_back({l.x2, l.y2});
        }
        return out;
    }

    std::vector<Pen> pens; // every selection, in order
    std::vector<Line> lines;
    std::vector<Text> texts;

  private:
    int width_, height_;
};

} // namespace kalviro::test
