// kalviro-cli animate: one normal mode as a movie (animated GIF, a folder of
// PNG frames, or a multi-frame XYZ file), drawn off screen.

#include <cstdio>
#include <memory>
#include <string>

#include "cli/CliCommands.h"
#include "document/Document.h"
#include "render/MovieExport.h"
#include "render/OffscreenSurface.h"

namespace kalviro {
namespace {

struct AnimateOptions {
    std::string file;
    std::string output;
    int mode = 1; // 1-based, as the mode list shows them
    int frames = 20;
    std::string size = "400x400";
    double amplitude = 0.5;
    LoadOptions load;
};

int fail(const std::string& text) {
    std::fprintf(stderr, "kalviro-cli animate: %s\n", text.c_str());
    return 1;
}

int runAnimate(const AnimateOptions& o) {
    int width = 0, height = 0, used = 0;
    if (std::sscanf(o.size.c_str(), "%dx%d%n", &width, &height, &used) != 2 ||
        used != static_cast<int>(o.size.size()) || width < 4 || height < 1 || width > 4096 ||
        height > 4096)
        return fail("--size takes WIDTHxHEIGHT, 4x1 to 4096x4096 pixels, e.g. 400x400");
    if (o.frames < 1 || o.frames > 1000)
        return fail("--frames takes 1 to 1000");
    Document doc;
    if (!loadFileWithOptions(doc, o.file, o.load))
        return 1;
    const std::size_t modes = doc.vibrations.modes.size();
    if (o.mode < 1 || static_cast<std::size_t>(o.mode) > modes)
        return fail("--mode " + std::to_string(o.mode) + ": " + o.file + " has " +
                    std::to_string(modes) + " modes");
    MovieRequest r;
    r.mode = o.mode - 1;
    r.frames = o.frames;
    r.amplitude = o.amplitude;
    std::unique_ptr<OffscreenSurface> surface;
    if (movieKindOf(o.output) != MovieKind::Xyz) {
        if (!ensureGlut())
            return fail("no X display: drawing needs one (set DISPLAY, or run under xvfb-run -a)");
        std::string error;
        surface = OffscreenSurface::open(width, height, error);
        if (!surface)
            return fail(error);
    }
    // The XYZ file needs no picture; a surface that is never drawn stands in.
    struct NoSurface : GlSurface {
        bool makeCurrent() override { return false; }
        void swapBuffers() override {}
        int clientWidth() const override { return 0; }
        int clientHeight() const override { return 0; }
    } none;
    const std::string error =
        writeMovie(surface ? static_cast<GlSurface&>(*surface) : none, doc, o.output, r);
    return error.empty() ? 0 : fail(o.output + ": " + error);
}

} // namespace

void addAnimateCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<AnimateOptions>();
    CLI::App* cmd = app.add_subcommand(
        "animate", "Save one normal mode of FILE as a movie: an animated GIF, a folder of "
                   "numbered PNG frames, or a multi-frame XYZ file (pictures need an X "
                   "display; Xvfb will do)");
    cmd->add_option("FILE", o->file, "Output of a frequency calculation")->required();
    addLoadOptions(cmd, o->load);
    cmd->add_option("-o,--output", o->output,
                    "OUT.gif, OUT.xyz, or a folder that gets frame_001.png ...")
        ->required();
    cmd->add_option("--mode", o->mode, "Normal mode, 1 = first (default 1)");
    cmd->add_option("--frames", o->frames,
                    "Frames of one swing (default 20); frame k shows the phase 2 pi k / N");
    cmd->add_option("--size", o->size, "Picture WIDTHxHEIGHT in pixels (default 400x400)");
    cmd->add_option("--amplitude", o->amplitude,
                    "Largest displacement in angstrom per unit of the printed vector "
                    "(default 0.5)");
    cmd->callback([o, &status] { status = runAnimate(*o); });
}

} // namespace kalviro
