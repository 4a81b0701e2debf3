#include "document/SpectrumWindowState.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "document/Document.h"
#include "document/SaveCommands.h"
#include "ir/SpectrumFiles.h"
#include "ir/SvgCanvas.h"
#include "platform/Messages.h"
#include "platform/Platform.h"

namespace kalviro {
namespace {

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

double largestInRange(const std::vector<double>& x, const std::vector<double>& y, double from,
                      double to) {
    double m = 0;
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i)
        if (x[i] >= from && x[i] <= to && std::isfinite(y[i]))
            m = std::max(m, y[i]);
    return m;
}

// 1 - y / top: the transmittance view of an absorbance-like curve.
std::vector<double> asTransmittance(const std::vector<double>& y, double top) {
    std::vector<double> out(y.size());
    for (std::size_t i = 0; i < y.size(); ++i)
        out[i] = top > 0 ? 1 - y[i] / top : 1;
    return out;
}

} // namespace

bool ramanAvailable(const Document& doc) {
    return !doc.vibrations.ramanActivities.empty();
}

BroadeningSettings effectiveBroadening(const Document& doc, const SpectrumWindowState& state) {
    BroadeningSettings b = state.broadening;
    if (!state.rangeSet)
        b.grid = fullRange(modeSticks(doc.vibrations, false), b);
    return b;
}

ReadResult<ShownSpectrum> shownSpectrum(const Document& doc, const SpectrumWindowState& state,
                                        const std::string& fileName) {
    ShownSpectrum s;
    s.broadening = effectiveBroadening(doc, state);
    s.raman = state.raman && ramanAvailable(doc);
    s.fileName = fileName;
    if (const std::string problem = ramanSettingsProblem(state.ramanSettings); s.raman && !problem.empty())
        return ReadResult<ShownSpectrum>::failure(problem);
    s.sticks = modeSticks(doc.vibrations, s.raman, state.ramanSettings);
    auto curve = broadenSticks(engineSticks(s.sticks), s.broadening);
    if (!curve)
        return ReadResult<ShownSpectrum>::failure(curve.error());
    s.curve = std::move(*curve);

    const BroadeningSettings& b = s.broadening;
    const double top = largestInRange(s.curve.x, s.curve.y, b.grid.from, b.grid.to);
    const bool t = state.transmittance;
    s.computed = {fileName.empty() ? "計算" : fileName, s.curve.x,
                  t ? asTransmittance(s.curve.y, top) : s.curve.y};
    s.yUnit = t ? "透過率 (1 − y / y最大)" : intensityAxisUnit(s.raman, state.ramanSettings.activities);
    for (const OverlaidSpectrum& m : state.measured) {
        std::vector<double> a = absorbanceCurve(m.spectrum);
        if (t)
            a = asTransmittance(a, largestInRange(m.spectrum.x, a, b.grid.from, b.grid.to));
        s.measured.push_back({m.name, m.spectrum.x, std::move(a)});
    }

    // A stick's height in the drawing, and the curve's height at its grid point.
    auto scaled = [&](double h) { return t ? (top > 0 ? 1 - h / top : 1) : h; };
    auto curveAt = [&](double x) {
        const double j = std::round((x - b.grid.from) / b.grid.step);
        return j >= 0 && j < static_cast<double>(s.curve.y.size())
                   ? s.curve.y[static_cast<std::size_t>(j)]
                   : 0.0;
    };
    const double base = t ? 1 : 0;
    if (state.sticksShown)
        for (const ModeStick& m : s.sticks)
            s.marks.sticks.push_back({b.factor * m.wavenumber + b.shift, base, scaled(m.height)});
    for (std::size_t i : labelledPeaks(s.sticks, b, static_cast<std::size_t>(
                                                        std::max(0, state.labelledPeaks)))) {
        const ModeStick& m = s.sticks[i];
        const double x = b.factor * m.wavenumber + b.shift;
        s.marks.labels.push_back({x, scaled(std::max(m.height, curveAt(x))), peakLabel(m, b)});
    }
    s.marks.labelsBelow = t;
    return s;
}

void drawShownSpectrum(Canvas2D& canvas, const ShownSpectrum& shown) {
    drawSpectrumPlot(canvas, shown.computed, shown.measured, shown.yUnit, shown.marks);
}

std::string shownSpectrumTitle(const ShownSpectrum& shown) {
    const std::string kind = shown.raman ? "ラマンスペクトル" : "IRスペクトル";
    return shown.fileName.empty() ? kind : kind + ": " + shown.fileName;
}

bool addMeasuredSpectrum(SpectrumWindowState& state, const std::string& path) {
    auto s = readOverlaySpectrum(path);
    if (!s) {
        showMessage(s.error());
        return false;
    }
    state.measured.push_back({std::filesystem::path(path).filename().string(), std::move(*s)});
    return true;
}

bool askAndAddMeasuredSpectrum(SpectrumWindowState& state) {
    FileDialogRequest r;
    r.filter = "JCAMP-DX (*.jdx;*.dx;*.jcamp)|*.jdx;*.dx;*.jcamp|テキスト (*.csv;*.txt)|*.csv;*.txt|"
               "AllFile(*.*)|*.*||";
    r.overwritePrompt = false;
    const auto path = platform().chooseOpenPath(r);
    return path && addMeasuredSpectrum(state, *path);
}

ReadResult<std::string> shownSpectrumBytes(const ShownSpectrum& shown, const std::string& path,
                                           const PngMaker& png, int width, int height) {
    const std::string ext = lowerExtension(path);
    if (ext == ".svg") {
        SvgCanvas canvas(width, height);
        drawShownSpectrum(canvas, shown);
        return canvas.document();
    }
    if (ext == ".png" && png) {
        std::string bytes = png(shown, width, height);
        if (bytes.empty())
            return ReadResult<std::string>::failure(msg::kReasonWriteFailed);
        return bytes;
    }
    if (ext == ".jdx" || ext == ".dx" || ext == ".jcamp") {
        JcampDxHeader header;
        header.title = shown.fileName.empty() ? "kalviro" : shown.fileName;
        if (shown.raman)
            header.dataType = "RAMAN SPECTRUM";
        return jcampDxBytes(shown.curve, header);
    }
    return spectrumCsv(shown.curve, shown.broadening);
}

bool askAndSaveShownSpectrum(const ShownSpectrum& shown, const PngMaker& png, int width,
                             int height) {
    FileDialogRequest r;
    r.filter = "CSV (*.csv)|*.csv|JCAMP-DX (*.jdx)|*.jdx|SVG (*.svg)|*.svg|PNG (*.png)|*.png||";
    r.defaultExtension = "csv";
    r.defaultFileName = "spectrum.csv";
    const auto path = platform().chooseSavePath(r);
    if (!path)
        return false;
    auto bytes = shownSpectrumBytes(shown, *path, png, width, height);
    if (!bytes) {
        showMessage(msg::saveProblem(*path, bytes.error()));
        return false;
    }
    return saveFileOrTell(*path, *bytes);
}

} // namespace kalviro
