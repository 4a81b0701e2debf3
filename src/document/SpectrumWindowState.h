#pragma once
// The spectrum window without its window: the settings the user made (kept
// while the program runs), the measured spectra drawn over the computed one,
// what one drawing shows, and saving it.

#include <functional>
#include <string>
#include <vector>

#include "ir/MeasuredSpectrum.h"
#include "ir/SpectrumEngine.h"
#include "ir/SpectrumPlot.h"
#include "ir/SpectrumView.h"
#include "model/readers/ReadResult.h"
#include "platform/Canvas2D.h"

namespace kalviro {

struct Document;

struct OverlaidSpectrum {
    std::string name; // the file's name, for the legend
    MeasuredSpectrum spectrum;
};

struct SpectrumWindowState {
    BroadeningSettings broadening;
    bool rangeSet = false; // the user's range; the full range until then
    bool raman = false;    // used only when the file has Raman activities
    RamanSettings ramanSettings;
    bool sticksShown = true;
    int labelledPeaks = 8;
    bool transmittance = false;
    std::vector<OverlaidSpectrum> measured;
};

// One drawing of the window: the computed curve (km/mol, or relative for
// Raman) and everything drawn with it.
struct ShownSpectrum {
    BroadeningSettings broadening;
    bool raman = false;
    std::string fileName;
    std::vector<ModeStick> sticks;
    SpectrumCurve curve;
    PlotCurve computed; // as drawn: 1 - y / ymax in the transmittance view
    std::vector<PlotCurve> measured;
    PlotMarks marks;
    std::string yUnit;
};

bool ramanAvailable(const Document& doc);

// state's settings with the full range unless the user set one.
BroadeningSettings effectiveBroadening(const Document& doc, const SpectrumWindowState& state);

// The drawing for state (not necessarily doc.spectrum: the window tries the
// fields first), or why the settings are not usable (a msg:: text).
ReadResult<ShownSpectrum> shownSpectrum(const Document& doc, const SpectrumWindowState& state,
                                        const std::string& fileName);
// On a white canvas (the SVG and PNG canvases start white).
void drawShownSpectrum(Canvas2D& canvas, const ShownSpectrum& shown);
// "IRスペクトル: name" or "ラマンスペクトル: name".
std::string shownSpectrumTitle(const ShownSpectrum& shown);

// Reads path and adds it to the overlays; a file that cannot be read or is
// not a vibrational spectrum changes nothing and tells the user why.
bool addMeasuredSpectrum(SpectrumWindowState& state, const std::string& path);
// "実測スペクトルを重ねる": asks for the file, then addMeasuredSpectrum.
bool askAndAddMeasuredSpectrum(SpectrumWindowState& state);

// Pictures of the plot when no window gives their size.
inline constexpr int kSavedPlotWidth = 800;
inline constexpr int kSavedPlotHeight = 600;

// The file's bytes by path's extension: .csv (also any other), .jdx/.dx/
// .jcamp, .svg, .png (through png, which draws the plot as a picture), the
// pictures width x height pixels.
using PngMaker = std::function<std::string(const ShownSpectrum&, int width, int height)>;
ReadResult<std::string> shownSpectrumBytes(const ShownSpectrum& shown, const std::string& path,
                                           const PngMaker& png, int width = kSavedPlotWidth,
                                           int height = kSavedPlotHeight);
// "表示中のスペクトルを保存": asks for the file and writes it; cancel does
// nothing, a failure names the file and the reason.
bool askAndSaveShownSpectrum(const ShownSpectrum& shown, const PngMaker& png,
                             int width = kSavedPlotWidth, int height = kSavedPlotHeight);

} // namespace kalviro
