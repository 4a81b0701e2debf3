// kalviro-cli spectrum / projection / plot: the calculations of the menu
// "処理" on one file, written as the viewer writes them.

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/CliCommands.h"
#include "document/SaveCommands.h"
#include "ir/SpectrumExport.h"
#include "ir/SpectrumPreview.h"
#include "ir/SvgCanvas.h"
#include "document/Document.h"
#include "model/SafeFileWriter.h"
#include "platform/Messages.h"
#include "platform/Platform.h"

namespace kalviro {
namespace {

constexpr int kLargestPlotSide = 10000;

struct SpectrumOptions {
    std::string file;
    std::string output;
    int width = 2;
    LoadOptions load;
};

void addCommonOptions(CLI::App* cmd, SpectrumOptions& o) {
    cmd->add_option("FILE", o.file, "Gaussian output (.log, .out)")->required();
    addLoadOptions(cmd, o.load);
    cmd->add_option("--width", o.width, "Half width in cm-1 (full width at half maximum)")
        ->default_val(2);
    cmd->add_option("-o,--output", o.output, "File to write")->required();
}

// Loads the file and selects the calculation, as the menu command does: the
// spectrum wants modes, the projection dipole derivatives too.
bool prepare(Document& doc, const SpectrumOptions& o, int viewMode) {
    if (o.width == 0) {
        showMessage(kHalfWidthNotZero);
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
    cmd->callback([o, &status] {
        Document doc;
        if (!prepare(doc, *o, 0)) {
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

void addPlotCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<SpectrumOptions>();
    auto kind = std::make_shared<std::string>("spectrum");
    auto size = std::make_shared<std::string>("600x560");
    CLI::App* cmd =
        app.add_subcommand("plot", "The preview plot of a spectrum or a projection as SVG");
    addCommonOptions(cmd, *o);
    cmd->add_option("--kind", *kind,
                    "What to plot: the spectrum, or the relative intensities for turns about x "
                    "or z")
        ->check(CLI::IsMember({"spectrum", "x", "z"}))
        ->default_val("spectrum");
    cmd->add_option("--size", *size, "Picture size in pixels, WIDTHxHEIGHT")
        ->default_val("600x560");
    cmd->callback([o, kind, size, &status] {
        int width = 0, height = 0;
        if (!parseSize(*size, width, height)) {
            std::fprintf(stderr, "kalviro-cli: --size wants WIDTHxHEIGHT, each 1 to %d\n",
                         kLargestPlotSide);
            status = 1;
            return;
        }
        Document doc;
        if (!prepare(doc, *o, *viewModeForKind(*kind))) {
            status = 1;
            return;
        }
        SvgCanvas canvas(width, height);
        drawPreview(canvas, doc.vibrations, doc.molecule.viewMode, o->width);
        doc.vibrations.spectrumReady = true;
        if (!saveFileOrTell(o->output, canvas.document()))
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
