#pragma once
// A Canvas2D that records every call, for checking drawings coordinate by
// coordinate.

#include <string>
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
        Pen pen; // the pen selected when the text was drawn
        std::string text;
        int x, y;
    };
    // A chain of lines drawn with one pen, each starting where the last ended.
    struct Path {
        Pen pen;
        std::vector<std::pair<int, int>> points;
    };

    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void setPen(const Pen& pen) override {
        pen_ = pen;
        pens.push_back(pen);
    }
    void drawLine(int x1, int y1, int x2, int y2) override {
        lines.push_back({pen_, x1, y1, x2, y2});
    }
    void drawText(const std::string& text, int x, int y) override {
        texts.push_back({pen_, text, x, y});
    }

    std::vector<Line> linesWith(const Pen& pen) const {
        std::vector<Line> out;
        for (const Line& l : lines)
            if (l.pen == pen)
                out.push_back(l);
        return out;
    }

    std::vector<Path> pathsWith(const Pen& pen) const {
        std::vector<Path> out;
        for (const Line& l : linesWith(pen)) {
            if (out.empty() || out.back().points.back() != std::pair{l.x1, l.y1})
                out.push_back({pen, {{l.x1, l.y1}}});
            out.back().points.push_back({l.x2, l.y2});
        }
        return out;
    }

    bool empty() const { return pens.empty() && lines.empty() && texts.empty(); }

    std::vector<Pen> pens; // every selection, in order
    std::vector<Line> lines;
    std::vector<Text> texts;

  private:
    int width_, height_;
    Pen pen_;
};

} // namespace kalviro::test
