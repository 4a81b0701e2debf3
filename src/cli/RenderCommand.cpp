// kalviro-cli render: one frame of the 3D view drawn off screen with the
// viewer's own drawing code, written as BMP (or PNG by the file name).

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "document/SaveCommands.h"
#include "model/MoleculeState.h"
#include "model/SafeFileWriter.h"
#include "model/VibrationStore.h"
#include "model/FileKind.h"
#include "orbital/CheckpointReader.h"
#include "document/OrbitalFlags.h"
#include "render/BitmapWriter.h"
#include "render/OffscreenSurface.h"
#include "render/PngWriter.h"
#include "render/SceneChoices.h"
#include "document/ViewSettings.h"

namespace kalviro {
namespace {

struct RenderOptions {
    std::string file;
    std::string output;
    std::string size = "600x600";
    int mode = 1; // 1-based, as the mode list shows them
    std::vector<std::string> show;
    bool white = false;
    std::string orbital; // checkpoint file whose contours are drawn
};

bool endsWith(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size())
        return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        char c = s[s.size() - tail.size() + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != tail[i])
            return false;
    }
    return true;
}

bool parseSize(const std::string& text, int& w, int& h) {
    int used = 0;
    if (std::sscanf(text.c_str(), "%dx%d%n", &w, &h, &used) != 2 ||
        used != static_cast<int>(text.size()))
        return false;
    return w >= 4 && h >= 1 && w <= 8192 && h <= 8192;
}

void fail(const std::string& text) {
    std::fprintf(stderr, "kalviro-cli render: %s\n", text.c_str());
    cliExitStatus() = 1;
}

void applyShow(const std::vector<std::string>& show, ViewSettings& s) {
    for (const std::string& item : show) {
        if (item == "modes")
            s.modesShown = 1;
        else if (item == "dipole")
            s.dipoleShown = 1;
        else if (item == "axes")
            s.axesShown = 1;
        else if (item == "surface")
            s.surfaceShown = 1;
        else if (item == "numbers")
            s.numbersShown = 1;
        else if (item == "angles")
            s.anglesShown = 1;
    }
}

void runRender(const RenderOptions& o) {
    int width = 0, height = 0;
    if (!parseSize(o.size, width, height)) {
        fail("--size takes WIDTHxHEIGHT, 4x1 to 8192x8192 pixels, e.g. 600x600");
        return;
    }
    if (!ensureGlut()) {
        fail("no X display: drawing needs one (set DISPLAY, or run under xvfb-run -a)");
        return;
    }
    if (!loadFileAsProgram(o.file)) {
        cliExitStatus() = 1;
        return;
    }
    // The orbital comes after the molecule, as in the viewer: a checkpoint
    // file supplies only the contours.
    if (!o.orbital.empty()) {
        if (fileKindOf(o.orbital) != FileKind::Checkpoint) {
            fail("--orbital takes a formatted checkpoint file (.fchk, .fch)");
            return;
        }
        if (!loadFileAsProgram(o.orbital)) {
            cliExitStatus() = 1;
            return;
        }
        orbitalFlags().orbitalShown = 1;
    }

    const VibrationStore& v = vibrationStore();
    if (o.mode < 1 || (static_cast<std::size_t>(o.mode) > v.frequencies.size() && o.mode != 1)) {
        fail("--mode " + std::to_string(o.mode) + ": the file has " +
             std::to_string(v.frequencies.size()) + " modes");
        return;
    }
    sceneChoices().selectedMode = o.mode - 1;
    ViewSettings& s = viewSettings();
    applyShow(o.show, s);
    if (o.white)
        s.whiteBackground = 1;

    std::string error;
    auto surface = OffscreenSurface::open(width, height, error);
    if (!surface) {
        fail(error);
        return;
    }
    const Picture p = captureFrame(*surface);
    const std::string bytes = endsWith(o.output, ".png") ? pngBytes(p) : bmpBytes(p);
    if (!saveFileOrTell(o.output, bytes))
        cliExitStatus() = 1;
}

} // namespace

void addRenderCommand(CLI::App& app) {
    auto o = std::make_shared<RenderOptions>();
    CLI::App* cmd = app.add_subcommand(
        "render", "Draw one frame of the 3D view of FILE off screen and save it as a picture "
                  "(needs an X display; Xvfb will do)");
    cmd->add_option("FILE", o->file, "Gaussian output or input, or GAMESS input")->required();
    cmd->add_option("-o,--output", o->output,
                    "Picture to write: BMP, or PNG when the name ends in .png")
        ->required();
    cmd->add_option("--size", o->size,
                    "Client area WIDTHxHEIGHT in pixels (default 600x600); the picture's "
                    "width is cut to a multiple of 4");
    cmd->add_option("--mode", o->mode, "Normal mode whose arrows are drawn, 1 = first (default 1)");
    cmd->add_option("--show", o->show, "What to show besides the molecule, comma-separated")
        ->delimiter(',')
        ->check(CLI::IsMember({"modes", "dipole", "axes", "surface", "numbers", "angles"}));
    cmd->add_flag("--white", o->white, "White background instead of black");
    cmd->add_option("--orbital", o->orbital,
                    "Formatted checkpoint file (.fchk, .fch) whose HOMO is drawn as contour lines");
    cmd->callback([o] { runRender(*o); });
}

} // namespace kalviro
