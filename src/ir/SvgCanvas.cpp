#include "ir/SvgCanvas.h"

#include <cstdio>

namespace kalviro {
namespace {

// The default window font is about this tall; text boxes are estimated from it.
constexpr int kFontSize = 12;
constexpr int kTextBoxHeight = 16;

std::string colourText(const Colour& c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.red, c.green, c.blue);
    return buf;
}

std::string strokeAttributes(const Pen& pen) {
    std::string s = " stroke=\"" + colourText(pen.colour) + "\" stroke-width=\"" +
                    std::to_string(pen.width < 1 ? 1 : pen.width) + "\"";
    switch (pen.style) {
    case PenStyle::Solid:
        break;
    case PenStyle::Dash:
        s += " stroke-dasharray=\"6 2\"";
        break;
    case PenStyle::Dot:
        s += " stroke-dasharray=\"1 1\"";
        break;
    case PenStyle::DashDot:
        s += " stroke-dasharray=\"6 2 1 2\"";
        break;
    }
    return s;
}

std::string escapeXml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            // Control characters are not allowed in XML 1.0.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
                out += c;
        }
    }
    return out;
}

std::size_t codePoints(const std::string& text) {
    std::size_t n = 0;
    for (char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

} // namespace

SvgCanvas::SvgCanvas(int width, int height)
    : width_(width < 0 ? 0 : width), height_(height < 0 ? 0 : height) {}

void SvgCanvas::drawLine(int x1, int y1, int x2, int y2) {
    const bool continues =
        !path_.empty() && pathPen_ == pen_ && path_.back().x == x1 && path_.back().y == y1;
    if (!continues) {
        flushPath();
        pathPen_ = pen_;
        path_.push_back({x1, y1});
    }
    path_.push_back({x2, y2});
}

void SvgCanvas::flushPath() {
    if (path_.empty())
        return;
    if (path_.size() == 2) {
        body_ += "<line x1=\"" + std::to_string(path_[0].x) + "\" y1=\"" +
                 std::to_string(path_[0].y) + "\" x2=\"" + std::to_string(path_[1].x) + "\" y2=\"" +
                 std::to_string(path_[1].y) + "\"" + strokeAttributes(pathPen_) + "/>\n";
    } else {
        body_ += "<polyline fill=\"none\"" + strokeAttributes(pathPen_) + " points=\"";
        for (std::size_t i = 0; i < path_.size(); ++i) {
            if (i > 0)
                body_ += ' ';
            body_ += std::to_string(path_[i].x) + "," + std::to_string(path_[i].y);
        }
        body_ += "\"/>\n";
    }
    path_.clear();
}

void SvgCanvas::drawText(const std::string& text, int x, int y) {
    flushPath();
    const std::size_t boxWidth = codePoints(text) * kFontSize * 6 / 10 + 2;
    body_ += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
             std::to_string(boxWidth) + "\" height=\"" + std::to_string(kTextBoxHeight) +
             "\" fill=\"#ffffff\"/>\n";
    body_ += "<text x=\"" + std::to_string(x + 1) + "\" y=\"" +
             std::to_string(y + kTextBoxHeight - 4) + "\" font-family=\"sans-serif\" font-size=\"" +
             std::to_string(kFontSize) + "\" fill=\"#000000\">" + escapeXml(text) + "</text>\n";
}

std::string SvgCanvas::document() {
    flushPath();
    const std::string w = std::to_string(width_), h = std::to_string(height_);
    // Lines sit on pixel centres so that 1-pixel strokes stay sharp.
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h +
           "\" shape-rendering=\"crispEdges\">\n"
           "<g transform=\"translate(0.5,0.5)\" stroke-linecap=\"square\">\n" +
           body_ + "</g>\n</svg>\n";
}

} // namespace kalviro
