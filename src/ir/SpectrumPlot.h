#pragma once
// A computed spectrum drawn with measured spectra over it: wavenumber axis
// from high to low with ticks and "cm⁻¹", an intensity axis, one colour per
// curve and a legend naming each. Drawn on any Canvas2D (SVG for the batch
// command).

#include <string>
#include <vector>

#include "ir/SpectrumEngine.h"
#include "platform/Canvas2D.h"

namespace kalviro {

struct PlotCurve {
    std::string name; // the legend's text
    std::vector<double> x; // cm-1, any order
    std::vector<double> y;
};

// What the spectrum window draws over the curves: sticks from y0 to y1 and
// labels beside a point, in the computed curve's x and y units.
struct PlotMarks {
    struct Line {
        double x, y0, y1;
    };
    struct Label {
        double x, y;
        std::string text;
    };
    std::vector<Line> sticks;
    std::vector<Label> labels;
    bool labelsBelow = false; // under the point (dips of a transmittance view)
};

// Draws computed and each of measured in the computed curve's range; the
// measured curves are scaled so that their largest value inside the range
// equals the computed curve's largest. yUnit labels the intensity axis.
void drawSpectrumPlot(Canvas2D& canvas, const PlotCurve& computed,
                      const std::vector<PlotCurve>& measured, const std::string& yUnit,
                      const PlotMarks& marks = {});

// The wavenumber under pixel column px of a plot over from .. to drawn on a
// canvas canvasWidth wide; plotPixelAt is its inverse (rounded).
double plotWavenumberAt(double px, int canvasWidth, double from, double to);
int plotPixelAt(double x, int canvasWidth, double from, double to);

// The intensity axis's label: IR in km/mol, Raman intensities relative to
// the largest, or Raman activities as printed.
const char* intensityAxisUnit(bool raman, bool activities);

// The colour of measured curve i (the computed one is black, the axes grey).
Colour overlayColour(std::size_t i);

} // namespace kalviro
