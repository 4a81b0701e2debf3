#include <cstdio>
#include <memory>

#include "cli/CliCommands.h"
#include "document/SaveCommands.h"
#include "ir/MeasuredSpectrum.h"
#include "platform/Platform.h"

namespace kalviro {
namespace {

// One "x,y" line per point in the file's order, CR LF after each.
std::string pointsCsv(const MeasuredSpectrum& s) {
    std::string out;
    char line[64];
    for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) {
        std::snprintf(line, sizeof line, "%.10g,%.10g\r\n", s.x[i], s.y[i]);
        out += line;
    }
    return out;
}

} // namespace

void addJcampCommand(CLI::App& app, int& status) {
    struct Options {
        std::string file;
        std::string output;
    };
    auto options = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "jcamp", "Read a measured spectrum (JCAMP-DX or two columns of text) and write its points");
    cmd->add_option("FILE", options->file, "JCAMP-DX (.jdx, .dx) or text spectrum")->required();
    cmd->add_option("-o,--output", options->output, "CSV file: x in cm-1, y in the file's own unit")
        ->required();
    cmd->callback([options, &status] {
        auto spectrum = readMeasuredSpectrumFile(options->file);
        if (!spectrum) {
            showMessage(spectrum.error());
            status = 1;
            return;
        }
        for (const std::string& warning : spectrum->warnings)
            std::fprintf(stderr, "%s\n", warning.c_str());
        if (!saveFileOrTell(options->output, pointsCsv(*spectrum)))
            status = 1;
    });
}

} // namespace kalviro
