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
#include "platform/Platform.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

// mo: the orbital number asked for, or nullopt for the highest occupied one.
int runOrbital(const std::string& path, std::optional<int> mo, Spin spin,
               const std::string& cubePath, const std::string& contoursPath) {
    const FileKind kind = fileKindOf(path);
    if (kind != FileKind::Checkpoint && kind != FileKind::Molden) {
        showMessage(msg::kUnsupportedFile);
        return 1;
    }
    if (mo && *mo < 1) {
        showMessage(msg::kBadOrbitalNumber);
        return 1;
    }
    CheckpointState state;
    ContourStore store;
    auto calc = std::make_unique<MolecularOrbital>();
    const OrbitalOutcome outcome =
        computeFileOrbital(path, spin, mo ? *mo - 1 : -1, *calc, state, store);
    for (const std::string& text : outcome.messages)
        showMessage(text);
    if (!outcome)
        return 1;
    const int orbital = state.computedNumber;

    if (!cubePath.empty()) {
        const std::string title = "KALVIRO orbital " + std::to_string(orbital) + " of " + path;
        const std::string comment = "basis " + calc->basisName + ", values at 51 x 51 x 51 points";
        if (!saveFileOrTell(cubePath, cubeFileText(*calc, title, comment)))
            return 1;
    }
    if (!contoursPath.empty() && !saveFileOrTell(contoursPath, contourText(store)))
        return 1;

    std::printf("basis %s orbital %d%s box x %.4f %.4f y %.4f %.4f z %.4f %.4f loops %u points %u\n",
                calc->basisName.c_str(), orbital, spin == Spin::Beta ? " beta" : "", calc->boxMin[0], calc->boxMax[0], calc->boxMin[1],
                calc->boxMax[1], calc->boxMin[2], calc->boxMax[2], store.loopCount(),
                store.pointCount());
    return 0;
}

} // namespace

void addOrbitalCommand(CLI::App& app, int& status) {
    struct Options {
        std::string file;
        int mo = 0;
        std::string cube;
        std::string contours;
        std::string spin = "alpha";
    };
    auto options = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "orbital", "Compute one molecular orbital of a formatted checkpoint or Molden file and trace it");
    cmd->add_option("FILE", options->file,
                    "Formatted checkpoint file (.fchk, .fch) or Molden file (.molden, .molf)")
        ->required();
    cmd->add_option("--mo", options->mo,
                    "Orbital number, 1-based within its spin (default: the highest occupied)");
    cmd->add_option("--spin", options->spin, "alpha or beta (beta: open-shell files)")
        ->check(CLI::IsMember({"alpha", "beta"}));
    cmd->add_option("--cube", options->cube, "Write the grid as a Gaussian cube file");
    cmd->add_option("--contours", options->contours, "Write the contour loops as text");
    cmd->callback([options, cmd, &status] {
        std::optional<int> mo;
        if (cmd->count("--mo") > 0)
            mo = options->mo;
        status = runOrbital(options->file, mo, options->spin == "beta" ? Spin::Beta : Spin::Alpha,
                            options->cube, options->contours);
    });
}

} // namespace kalviro
