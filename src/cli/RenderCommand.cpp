// kalviro-cli render: one frame of the 3D view drawn off screen with the
// viewer's own drawing code, written as BMP (or PNG by the file name).

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "document/SaveCommands.h"
#include "document/Document.h"
#include "model/FileKind.h"
#include "model/SafeFileWriter.h"
#include "platform/Messages.h"
#include "render/BitmapWriter.h"
#include "render/Frame.h"
#include "render/OffscreenSurface.h"
#include "render/PngWriter.h"

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
    double isosurface = 0.0; // > 0: the orbital as isosurfaces at +-value, not contours
    bool isosurfaceGiven = false;
    bool fit = true;     // the desktop's first view; false: the fixed camera of old
    LoadOptions load;
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

// The message on standard error; the exit status of a failed render.
int fail(const std::string& text) {
    std::fprintf(stderr, "kalviro-cli render: %s\n", text.c_str());
    return 1;
}

void applyShow(const std::vector<std::string>& show, ViewSettings& s) {
    for (const std::string& item : show) {
        if (item == "modes")
            s.modesShown = true;
        else if (item == "dipole")
            s.dipoleShown = true;
        else if (item == "axes")
            s.axesShown = true;
        else if (item == "surface")
            s.surfaceShown = true;
        else if (item == "numbers")
            s.numbersShown = true;
        else if (item == "angles")
            s.anglesShown = true;
    }
}

// The exit status.
int runRender(const RenderOptions& o) {
    Document doc;
    int width = 0, height = 0;
    if (!parseSize(o.size, width, height)) {
        return fail("--size takes WIDTHxHEIGHT, 4x1 to 8192x8192 pixels, e.g. 600x600");
    }
    if (o.isosurfaceGiven && o.orbital.empty())
        return fail(msg::kIsosurfaceNeedsOrbital);
    if (o.isosurfaceGiven && !(o.isosurface > 0.0))
        return fail(msg::kBadIsosurfaceOption);
    if (!ensureGlut()) {
        return fail("no X display: drawing needs one (set DISPLAY, or run under xvfb-run -a)");
    }
    if (!loadFileWithOptions(doc, o.file, o.load))
        return 1;
    // The orbital comes after the molecule, as in the viewer: laid over it
    // when it is the file's molecule, else with its own atoms.
    if (!o.orbital.empty()) {
        if (fileKindOf(o.orbital) != FileKind::Checkpoint &&
            fileKindOf(o.orbital) != FileKind::Molden) {
            return fail("--orbital takes a formatted checkpoint file (.fchk, .fch) or a Molden "
                        "file (.molden, .molf)");
        }
        if (o.isosurfaceGiven)
            doc.view.isoValue = o.isosurface;
        if (!loadFileAsProgram(doc, o.orbital))
            return 1;
        (o.isosurfaceGiven ? doc.orbitalFlags.surfacesShown : doc.orbitalFlags.orbitalShown) = true;
    }

    const VibrationStore& v = doc.vibrations;
    if (o.mode < 1 || (static_cast<std::size_t>(o.mode) > v.frequencies.size() && o.mode != 1)) {
        return fail("--mode " + std::to_string(o.mode) + ": the file has " +
                    std::to_string(v.frequencies.size()) + " modes");
    }
    doc.scene.selectedMode = o.mode - 1;
    ViewSettings& s = doc.view;
    applyShow(o.show, s);
    if (o.white)
        s.whiteBackground = true;
    // The fit happens in the frame, so the arrows asked for above count.
    s.fitPending = o.fit;

    std::string error;
    auto surface = OffscreenSurface::open(width, height, error);
    if (!surface) {
        return fail(error);
    }
    const Picture p = captureFrame(*surface, doc);
    const std::string bytes = endsWith(o.output, ".png") ? pngBytes(p) : bmpBytes(p);
    return saveFileOrTell(o.output, bytes) ? 0 : 1;
}

} // namespace

void addRenderCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<RenderOptions>();
    CLI::App* cmd = app.add_subcommand(
        "render", "Draw one frame of the 3D view of FILE off screen and save it as a picture "
                  "(needs an X display; Xvfb will do)");
    cmd->add_option("FILE", o->file, "Gaussian output or input, or GAMESS input")->required();
    addLoadOptions(cmd, o->load);
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
    cmd->add_flag("--fit,!--no-fit", o->fit,
                  "Fit the molecule to the picture as the viewer's first view does (default); "
                  "--no-fit keeps the fixed camera (eye 20 units from the origin)");
    cmd->add_option("--orbital", o->orbital,
                    "Formatted checkpoint file (.fchk, .fch) or Molden file whose HOMO is drawn "
                    "as contour lines");
    auto* iso = cmd->add_option("--isosurface", o->isosurface,
                                "Draw the --orbital as two translucent isosurfaces at +VALUE "
                                "(blue) and -VALUE (red) instead of contours, e.g. 0.05");
    iso->each([o](const std::string&) { o->isosurfaceGiven = true; });
    cmd->callback([o, &status] { status = runRender(*o); });
}

} // namespace kalviro
