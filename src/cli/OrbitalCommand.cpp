#include <cstdio>
#include <memory>

#include "cli/CliCommands.h"
#include "document/SaveCommands.h"
#include "model/SafeFileWriter.h"
#include "model/FileKind.h"
#include "orbital/CheckpointReader.h"
#include "orbital/ContourStore.h"
#include "orbital/MolecularOrbital.h"
#include "orbital/OrbitalExport.h"
#include "orbital/OrbitalGrid.h"
#include "platform/Platform.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

struct Options {
    std::string file;
    int mo = 0;
    bool beta = false;
    int points = kDefaultGridPoints;
    double margin = kDefaultGridMargin;
    std::string cube;
    std::string contours;
};

// mo: the orbital number asked for, or nullopt for the highest occupied one.
int runOrbital(const Options& o, std::optional<int> mo) {
    const std::string& path = o.file;
    const Spin spin = o.beta ? Spin::Beta : Spin::Alpha;
    const FileKind kind = fileKindOf(path);
    if (kind != FileKind::Checkpoint && kind != FileKind::Molden) {
        showMessage(msg::kUnsupportedFile);
        return 1;
    }
    if (mo && *mo < 1) {
        showMessage(msg::kBadOrbitalNumber);
        return 1;
    }
    if (o.points < 2 || o.points > 200) {
        showMessage(msg::kBadGridPoints);
        return 1;
    }
    if (!(o.margin > 0.0 && o.margin <= 100.0)) {
        showMessage(msg::kBadGridMargin);
        return 1;
    }
    CheckpointState state;
    ContourStore store;
    CubeRequest cube{o.points, o.margin, {}, {}};
    auto calc = std::make_unique<MolecularOrbital>();
    const OrbitalOutcome outcome = computeFileOrbital(path, spin, mo ? *mo - 1 : -1, *calc, state,
                                                      store, o.cube.empty() ? nullptr : &cube);
    for (const std::string& text : outcome.messages)
        showMessage(text);
    if (!outcome)
        return 1;
    const int orbital = state.computedNumber;

    if (!o.cube.empty()) {
        const std::string title = "KALVIRO orbital " + std::to_string(orbital) +
                                  (o.beta ? " beta" : "") + " of " + path;
        const std::string n = std::to_string(cube.grid.points);
        const std::string comment =
            "basis " + calc->basisName + ", values at " + n + " x " + n + " x " + n + " points";
        if (!saveFileOrTell(o.cube,
                            cubeFileBytes(cube.grid, cube.atoms, orbital, title, comment)))
            return 1;
    }
    if (!o.contours.empty() && !saveFileOrTell(o.contours, contourText(store)))
        return 1;

    std::printf("basis %s orbital %d%s box x %.4f %.4f y %.4f %.4f z %.4f %.4f loops %u points %u\n",
                calc->basisName.c_str(), orbital, o.beta ? " beta" : "", calc->boxMin[0],
                calc->boxMax[0], calc->boxMin[1], calc->boxMax[1], calc->boxMin[2], calc->boxMax[2], store.loopCount(),
                store.pointCount());
    return 0;
}

} // namespace

void addOrbitalCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "orbital", "Compute one molecular orbital of a formatted checkpoint or Molden file and trace it");
    cmd->add_option("FILE", options->file,
                    "Formatted checkpoint file (.fchk, .fch) or Molden file (.molden, .molf)")
        ->required();
    cmd->add_option("--mo", options->mo,
                    "Orbital number, 1-based within its spin (default: the highest occupied)");
    cmd->add_flag("--beta", options->beta, "A beta orbital (open-shell files)");
    cmd->add_option("--points", options->points,
                    "Cube file: grid points per axis, 2 to 200 (default: 51)");
    cmd->add_option("--margin", options->margin,
                    "Cube file: bohr beyond the atoms on every side (default: 3.439, 1.82 angstrom)");
    cmd->add_option("--cube", options->cube, "Write the grid as a Gaussian cube file");
    cmd->add_option("--contours", options->contours, "Write the contour loops as text");
    cmd->callback([options, cmd, &status] {
        std::optional<int> mo;
        if (cmd->count("--mo") > 0)
            mo = options->mo;
        status = runOrbital(*options, mo);
    });
}

} // namespace kalviro
