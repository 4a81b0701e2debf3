#include "ir/SpectrumPlot.h"

#include <algorithm>
#include <cmath>

#include "model/NumberText.h"

namespace kalviro {
namespace {

constexpr int kLeft = 70, kRight = 20, kTop = 20, kBottom = 50;
constexpr int kCharWidth = 7; // about the default font's width, for centring
constexpr Colour kAxis{96, 96, 96};
constexpr Colour kComputed{0, 0, 0};
constexpr Colour kStick{128, 0, 128};

// 1, 2 or 5 times a power of ten that gives about six ticks over span.
double tickStep(double span) {
    const double raw = span / 6;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * p >= raw)
            return m * p;
    return 10 * p;
}

struct Frame {
    double from, to, top; // x range, largest y
    int width, height;
    double floor = 0; // y at the bottom of the plot
    int px(double x) const { return plotPixelAt(x, width, from, to); }
    int py(double y) const {
        const int h = height - kTop - kBottom;
        const double r = (y - floor) / (top - floor);
        return kTop + h - static_cast<int>(std::lround(std::clamp(r, -0.05, 1.05) * h));
    }
};

void drawCurve(Canvas2D& canvas, const Frame& f, const std::vector<double>& x,
               const std::vector<double>& y, double scale) {
    bool started = false;
    int lastX = 0, lastY = 0;
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
        if (!(x[i] >= f.from && x[i] <= f.to) || !std::isfinite(y[i])) {
            started = false;
            continue;
        }
        const int X = f.px(x[i]), Y = f.py(y[i] * scale);
        if (started && (X != lastX || Y != lastY))
            canvas.drawLine(lastX, lastY, X, Y);
        started = true;
        lastX = X;
        lastY = Y;
    }
}

double largestIn(const PlotCurve& c, double from, double to) {
    double m = 0;
    for (std::size_t i = 0; i < c.x.size() && i < c.y.size(); ++i)
        if (c.x[i] >= from && c.x[i] <= to && std::isfinite(c.y[i]))
            m = std::max(m, c.y[i]);
    return m;
}

void drawAxes(Canvas2D& canvas, const Frame& f, const std::string& yUnit) {
    canvas.setPen(Pen{kAxis, 1, PenStyle::Solid});
    const int bottom = f.height - kBottom, right = f.width - kRight;
    canvas.drawLine(kLeft, kTop, kLeft, bottom);
    canvas.drawLine(kLeft, bottom, right, bottom);
    const double step = tickStep(f.to - f.from);
    for (double t = std::ceil(f.from / step) * step; t <= f.to + 1e-9 * step; t += step) {
        const int X = f.px(t);
        canvas.drawLine(X, bottom, X, bottom + 5);
        const std::string label = formatG(t);
        canvas.drawText(label, X - static_cast<int>(label.size()) * kCharWidth / 2, bottom + 7);
    }
    const std::string unit = "波数 / cm⁻¹";
    canvas.drawText(unit, (kLeft + right) / 2 - 5 * kCharWidth, bottom + 26);
    const double yStep = tickStep(f.top);
    for (double t = 0; t <= f.top * 1.0001; t += yStep) {
        const int Y = f.py(t);
        canvas.drawLine(kLeft - 5, Y, kLeft, Y);
        const std::string label = formatG(t);
        canvas.drawText(label, kLeft - 8 - static_cast<int>(label.size()) * kCharWidth, Y - 8);
    }
    canvas.drawText(yUnit, 4, 2);
}

void drawMarks(Canvas2D& canvas, const Frame& f, const PlotMarks& marks) {
    canvas.setPen(Pen{kStick, 1, PenStyle::Solid});
    for (const PlotMarks::Line& s : marks.sticks)
        if (s.x >= f.from && s.x <= f.to)
            canvas.drawLine(f.px(s.x), f.py(s.y0), f.px(s.x), f.py(s.y1));
    for (const PlotMarks::Label& l : marks.labels) {
        if (!(l.x >= f.from && l.x <= f.to))
            continue;
        const int width = static_cast<int>(l.text.size()) * kCharWidth;
        const int x = std::clamp(f.px(l.x) - width / 2, kLeft, std::max(kLeft, f.width - kRight - width));
        canvas.drawText(l.text, x, f.py(l.y) + (marks.labelsBelow ? 4 : -18));
    }
}

} // namespace

double plotWavenumberAt(double px, int canvasWidth, double from, double to) {
    return to - (px - kLeft) / (canvasWidth - kLeft - kRight) * (to - from);
}

int plotPixelAt(double x, int canvasWidth, double from, double to) {
    // High wavenumbers on the left, as chemists read an IR spectrum.
    return kLeft + static_cast<int>(std::lround((to - x) / (to - from) * (canvasWidth - kLeft - kRight)));
}

const char* intensityAxisUnit(bool raman, bool activities) {
    return !raman ? "IR 強度 / km mol⁻¹" : activities ? "Raman 活性 / Å⁴ amu⁻¹" : "Raman 強度 (相対)";
}

Colour overlayColour(std::size_t i) {
    static constexpr Colour kColours[] = {
        {214, 39, 40}, {31, 119, 180}, {44, 160, 44}, {255, 127, 14}, {148, 103, 189}};
    return kColours[i % std::size(kColours)];
}

void drawSpectrumPlot(Canvas2D& canvas, const PlotCurve& computed,
                      const std::vector<PlotCurve>& measured, const std::string& yUnit,
                      const PlotMarks& marks) {
    if (computed.x.size() < 2)
        return;
    const auto [lo, hi] = std::minmax_element(computed.x.begin(), computed.x.end());
    Frame f{*lo, *hi, largestIn(computed, *lo, *hi), canvas.width(), canvas.height()};
    if (!(f.top > 0))
        f.top = 1;
    const double curveTop = f.top;
    // Room for the peak labels above the tallest peak or below the deepest dip.
    if (!marks.labels.empty() && marks.labelsBelow)
        f.floor = -0.1 * f.top;
    else if (!marks.labels.empty())
        f.top *= 1.1;
    drawAxes(canvas, f, yUnit);

    int legendY = kTop;
    const int legendX = canvas.width() - kRight - 220;
    auto legend = [&](const std::string& name, const Colour& c) {
        canvas.setPen(Pen{c, 2, PenStyle::Solid});
        canvas.drawLine(legendX, legendY + 8, legendX + 24, legendY + 8);
        canvas.drawText(name, legendX + 30, legendY);
        legendY += 18;
    };
    canvas.setPen(Pen{kComputed, 1, PenStyle::Solid});
    drawCurve(canvas, f, computed.x, computed.y, 1.0);
    for (std::size_t i = 0; i < measured.size(); ++i) {
        const double m = largestIn(measured[i], f.from, f.to);
        canvas.setPen(Pen{overlayColour(i), 1, PenStyle::Solid});
        drawCurve(canvas, f, measured[i].x, measured[i].y, m > 0 ? curveTop / m : 1.0);
    }
    drawMarks(canvas, f, marks);
    legend(computed.name, kComputed);
    for (std::size_t i = 0; i < measured.size(); ++i)
        legend(measured[i].name, overlayColour(i));
}

} // namespace kalviro
