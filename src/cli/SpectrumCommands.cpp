// kalviro-cli spectrum / projection / plot: the calculations of the menu
// "処理" on one file, written as the viewer writes them.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "document/SaveCommands.h"
#include "ir/SpectrumCalculator.h"
#include "ir/SpectrumEngine.h"
#include "ir/SpectrumExport.h"
#include "ir/SpectrumFiles.h"
#include "ir/SpectrumPlot.h"
#include "ir/MeasuredSpectrum.h"
#include "ir/SpectrumPreview.h"
#include "ir/SvgCanvas.h"
#include "document/Document.h"
#include "model/SafeFileWriter.h"
#include "model/NumberText.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "render/PngWriter.h"
#include "render/RasterCanvas.h"

namespace kalviro {
namespace {

constexpr int kLargestPlotSide = 10000;

struct SpectrumOptions {
    std::string file;
    std::string output;
    int width = 2;
    double decimalWidth = 2;
    LoadOptions load;
    BroadeningSettings broadening;
    std::string shape = "lorentzian";
    std::string format = "csv";
    bool raman = false;
    RamanSettings ramanSettings;
};

void addCommonOptions(CLI::App* cmd, SpectrumOptions& o) {
    cmd->add_option("FILE", o.file, "Gaussian output (.log, .out)")->required();
    addLoadOptions(cmd, o.load);
    cmd->add_option("--width", o.decimalWidth, "Full width at half maximum in cm-1")
        ->default_val(2);
    cmd->add_option("-o,--output", o.output, "File to write")->required();
}

// The engine's options of `spectrum` and `plot`.
void addBroadeningOptions(CLI::App* cmd, SpectrumOptions& o) {
    BroadeningSettings& b = o.broadening;
    cmd->add_option("--from", b.grid.from, "First wavenumber of the grid, cm-1")->default_val(600);
    cmd->add_option("--to", b.grid.to, "Last wavenumber of the grid, cm-1")->default_val(1499);
    cmd->add_option("--step", b.grid.step, "Grid step, cm-1")->default_val(1);
    cmd->add_option("--shape", o.shape, "Line shape")
        ->check(CLI::IsMember({"lorentzian", "gaussian", "pseudo-voigt"}))
        ->default_val("lorentzian");
    cmd->add_option("--eta", b.eta, "Lorentzian share of the pseudo-Voigt shape, 0 to 1")
        ->default_val(0.5);
    cmd->add_option("--scale", b.factor, "Factor for the computed wavenumbers")->default_val(1);
    cmd->add_option("--shift", b.shift, "Shift added after scaling, cm-1")->default_val(0);
    CLI::Option* raman =
        cmd->add_flag("--raman", o.raman, "Raman spectrum from the printed Raman activities");
    cmd->add_flag("--activities", o.ramanSettings.activities,
                  "With --raman: the printed activities (A^4/amu) as stick heights, not intensities")
        ->needs(raman);
    cmd->add_option("--laser", o.ramanSettings.laserWavenumber,
                    "Laser wavenumber in cm-1 for Raman intensities")
        ->default_val(18797.0);
    cmd->add_option("--temperature", o.ramanSettings.temperature, "Temperature in K")
        ->default_val(298.15);
}

// The widths and the other defaults of the menu's spectrum: the file keeps
// its old bytes.
bool isLegacySpectrum(const SpectrumOptions& o) {
    return !o.raman && o.format == "csv" && o.shape == "lorentzian" &&
           isDefaultBroadening(o.broadening) && std::floor(o.decimalWidth) == o.decimalWidth &&
           std::abs(o.decimalWidth) < 1e9;
}

void settleOptions(SpectrumOptions& o) {
    o.width = static_cast<int>(std::clamp(o.decimalWidth, -1e9, 1e9));
    o.broadening.width = o.decimalWidth;
    o.broadening.shape = o.shape == "gaussian"       ? LineShape::Gaussian
                         : o.shape == "pseudo-voigt" ? LineShape::PseudoVoigt
                                                     : LineShape::Lorentzian;
}

std::string withFile(std::string text, const std::string& file) {
    const std::size_t at = text.find("{file}");
    return at == std::string::npos ? text : text.replace(at, 6, file);
}

// Each mode's stick: the IR intensity in km/mol, or the Raman intensity.
ReadResult<std::vector<Stick>> sticksOf(const VibrationStore& v, const SpectrumOptions& o) {
    const std::vector<double> nu = modeWavenumbers(v, v.frequencies.size());
    if (o.raman) {
        if (v.ramanActivities.empty())
            return ReadResult<std::vector<Stick>>::failure(withFile(msg::kNoRamanActivities, o.file));
        std::vector<double> s(nu.size(), 0.0);
        for (std::size_t k = 0; k < s.size() && k < v.ramanActivities.size(); ++k)
            s[k] = parseNumber(v.ramanActivities[k]);
        return ramanSticks(nu, s, o.ramanSettings);
    }
    std::vector<Stick> sticks;
    for (std::size_t k = 0; k < nu.size(); ++k)
        sticks.push_back({nu[k], k < v.intensities.size()
                                     ? parseNumber(v.intensities[k]) * v.intensityToKmPerMol
                                     : 0.0});
    return sticks;
}

ReadResult<SpectrumCurve> curveOf(const VibrationStore& v, const SpectrumOptions& o) {
    auto sticks = sticksOf(v, o);
    if (!sticks)
        return ReadResult<SpectrumCurve>::failure(sticks.error());
    return broadenSticks(*sticks, o.broadening);
}

// The engine's file: CSV with its "#" lines, or JCAMP-DX.
bool writeEngineSpectrum(const Document& doc, const SpectrumOptions& o) {
    auto curve = curveOf(doc.vibrations, o);
    if (!curve) {
        showMessage(curve.error());
        return false;
    }
    if (o.format == "csv")
        return saveFileOrTell(o.output, spectrumCsv(*curve, o.broadening));
    JcampDxHeader header;
    header.title = std::filesystem::path(o.file).filename().string();
    if (o.raman)
        header.dataType = "RAMAN SPECTRUM";
    auto bytes = jcampDxBytes(*curve, header);
    if (!bytes) {
        showMessage(bytes.error());
        return false;
    }
    return saveFileOrTell(o.output, *bytes);
}

// Why an option's value is not usable, before the file is read; every
// option is checked, also those the chosen calculation does not use.
std::string badOption(const SpectrumOptions& o, int viewMode) {
    if (!std::isfinite(o.decimalWidth) || !(o.decimalWidth > 0))
        return msg::kSpectrumWidthNotPositive;
    if (viewMode != 0 && std::floor(o.decimalWidth) != o.decimalWidth)
        return kHalfWidthNotZero; // the projection's grid takes whole widths
    if (auto grid = gridPoints(o.broadening.grid); !grid)
        return grid.error();
    if (!(o.broadening.eta >= 0 && o.broadening.eta <= 1))
        return msg::kSpectrumEtaOutOfRange;
    if (!std::isfinite(o.broadening.factor) || !std::isfinite(o.broadening.shift))
        return msg::kSpectrumScalingNotFinite;
    if (std::string problem = ramanSettingsProblem(o.ramanSettings); !problem.empty())
        return problem;
    return {};
}

// Loads the file and selects the calculation, as the menu command does: the
// spectrum wants modes, the projection dipole derivatives too.
bool prepare(Document& doc, SpectrumOptions& o, int viewMode) {
    settleOptions(o);
    if (const std::string bad = badOption(o, viewMode); !bad.empty()) {
        showMessage(bad);
        return false;
    }
    if (!loadFileWithOptions(doc, o.file, o.load))
        return false;
    if (doc.vibrations.frequencies.empty()) {
        showMessage(msg::kNoIrData);
        return false;
    }
    if (viewMode != 0 && !doc.view.dipolesLoaded) {
        std::fprintf(stderr, "kalviro-cli: %s holds no dipole derivatives\n", o.file.c_str());
        return false;
    }
    doc.molecule.viewMode = viewMode;
    return true;
}

void calculate(Document& doc, int w) {
    runSpectrumCalculation(doc.vibrations, doc.molecule.viewMode, w);
    doc.vibrations.spectrumReady = true;
}

std::optional<int> viewModeForKind(const std::string& kind) {
    if (kind == "spectrum")
        return 0;
    if (kind == "x")
        return 1;
    if (kind == "z")
        return 2;
    return std::nullopt;
}

// "600x560".
bool parseSize(const std::string& text, int& width, int& height) {
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%dx%d%n", &width, &height, &consumed) != 2 ||
        consumed != static_cast<int>(text.size()))
        return false;
    return width > 0 && height > 0 && width <= kLargestPlotSide && height <= kLargestPlotSide;
}

void addSpectrumCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<SpectrumOptions>();
    CLI::App* cmd = app.add_subcommand(
        "spectrum", "Broadened IR spectrum of FILE (600 to 1499 cm-1) as IRSpec.csv");
    addCommonOptions(cmd, *o);
    addBroadeningOptions(cmd, *o);
    cmd->add_option("--format", o->format, "csv or jcamp (JCAMP-DX 5.01)")
        ->check(CLI::IsMember({"csv", "jcamp"}))
        ->default_val("csv");
    cmd->callback([o, &status] {
        Document doc;
        if (!prepare(doc, *o, 0)) {
            status = 1;
            return;
        }
        if (!isLegacySpectrum(*o)) {
            if (!writeEngineSpectrum(doc, *o))
                status = 1;
            return;
        }
        calculate(doc, o->width);
        if (!writeIrSpectrum(doc.vibrations, o->output))
            status = 1;
    });
}

void addProjectionCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<SpectrumOptions>();
    auto axis = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand(
        "projection", "Relative intensities along the surface normal for 12 angles about one "
                      "axis, as spec.csv");
    addCommonOptions(cmd, *o);
    cmd->add_option("--axis", *axis, "Axis the molecule turns about: x or z")
        ->required()
        ->check(CLI::IsMember({"x", "z"}));
    cmd->callback([o, axis, &status] {
        Document doc;
        if (!prepare(doc, *o, *axis == "x" ? 1 : 2)) {
            status = 1;
            return;
        }
        calculate(doc, o->width);
        if (!writeRelativeIntensity(doc.vibrations, o->output))
            status = 1;
    });
}

// The measured spectra to draw over the computed one, as absorbance; false
// (message shown) when one cannot be read or is not a vibrational spectrum.
bool readOverlays(const std::vector<std::string>& files, std::vector<PlotCurve>& out) {
    for (const std::string& file : files) {
        auto s = readOverlaySpectrum(file);
        if (!s) {
            showMessage(s.error());
            return false;
        }
        out.push_back({std::filesystem::path(file).filename().string(), s->x, absorbanceCurve(*s)});
    }
    return true;
}

void addPlotCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<SpectrumOptions>();
    auto kind = std::make_shared<std::string>("spectrum");
    auto size = std::make_shared<std::string>("600x560");
    auto experimental = std::make_shared<std::vector<std::string>>();
    CLI::App* cmd = app.add_subcommand(
        "plot", "The spectrum with measured spectra over it, or a projection, as SVG or PNG (by the name)");
    addCommonOptions(cmd, *o);
    addBroadeningOptions(cmd, *o);
    cmd->add_option("--kind", *kind,
                    "What to plot: the spectrum, or the relative intensities for turns about x "
                    "or z")
        ->check(CLI::IsMember({"spectrum", "x", "z"}))
        ->default_val("spectrum");
    cmd->add_option("--size", *size, "Picture size in pixels, WIDTHxHEIGHT")
        ->default_val("600x560");
    cmd->add_option("--experimental", *experimental,
                    "Measured spectra (JCAMP-DX or two-column text) to draw over the spectrum");
    cmd->callback([o, kind, size, experimental, &status] {
        int width = 0, height = 0;
        if (!parseSize(*size, width, height)) {
            std::fprintf(stderr, "kalviro-cli: --size wants WIDTHxHEIGHT, each 1 to %d\n",
                         kLargestPlotSide);
            status = 1;
            return;
        }
        if (*kind != "spectrum" && !experimental->empty()) {
            std::fprintf(stderr, "kalviro-cli: --experimental goes with --kind spectrum\n");
            status = 1;
            return;
        }
        Document doc;
        std::vector<PlotCurve> overlays;
        if (!readOverlays(*experimental, overlays) || !prepare(doc, *o, *viewModeForKind(*kind))) {
            status = 1;
            return;
        }
        std::optional<SpectrumCurve> curve;
        if (*kind == "spectrum") {
            auto c = curveOf(doc.vibrations, *o);
            if (!c) {
                showMessage(c.error());
                status = 1;
                return;
            }
            curve = std::move(*c);
        }
        auto draw = [&](Canvas2D& canvas) {
            if (curve) {
                const std::string name = std::filesystem::path(o->file).filename().string();
                drawSpectrumPlot(canvas, {name, curve->x, curve->y}, overlays,
                                 intensityAxisUnit(o->raman, o->ramanSettings.activities));
            } else {
                drawPreview(canvas, doc.vibrations, doc.molecule.viewMode, o->width);
                doc.vibrations.spectrumReady = true;
            }
        };
        std::string bytes;
        if (std::filesystem::path(o->output).extension() == ".png") {
            RasterCanvas canvas(width, height);
            draw(canvas);
            bytes = pngBytes(canvas.picture());
        } else {
            SvgCanvas canvas(width, height);
            draw(canvas);
            bytes = canvas.document();
        }
        if (!saveFileOrTell(o->output, bytes))
            status = 1;
    });
}

} // namespace

void addSpectrumCommands(CLI::App& app, int& status) {
    addSpectrumCommand(app, status);
    addProjectionCommand(app, status);
    addPlotCommand(app, status);
}

} // namespace kalviro
