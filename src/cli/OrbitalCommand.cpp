#include <cstdio>
#include <memory>

#include "cli/CliCommands.h"
#include "document/SaveCommands.h"
#include "model/SafeFileWriter.h"
#include "model/NumberText.h"
#include "model/TextLineReader.h"
#include "model/FileKind.h"
#include "orbital/CheckpointReader.h"
#include "orbital/ContourStore.h"
#include "orbital/MolecularOrbital.h"
#include "orbital/OrbitalExport.h"
#include "platform/Platform.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

// The counts of path, read before the calculation so that a wrong orbital
// number is refused without computing anything. nullopt: message shown.
std::optional<CheckpointContents> readHeader(const std::string& path) {
    if (fileKindOf(path) != FileKind::Checkpoint) {
        showMessage(msg::kUnsupportedFile);
        return std::nullopt;
    }
    std::unique_ptr<std::FILE, FileCloser> file(openForReading(path));
    if (!file) {
        showMessage(msg::kCannotOpenFile);
        return std::nullopt;
    }
    TextLineReader reader(file.get());
    CheckpointContents contents = parseCheckpoint(reader, -1);
    if (reader.failed()) {
        showMessage(msg::kCannotOpenFile);
        return std::nullopt;
    }
    return contents;
}

// mo: the orbital number asked for, or nullopt for the HOMO.
int runOrbital(const std::string& path, std::optional<int> mo, const std::string& cubePath,
               const std::string& contoursPath) {
    const auto header = readHeader(path);
    if (!header)
        return 1;
    const int basisCount = leadingInteger(header->basisCountText);
    if (mo && (*mo < 1 || *mo > basisCount)) {
        showMessage(msg::kBadOrbitalNumber);
        return 1;
    }
    // Without a built-in table the grid would be all zeros: no result to write.
    const std::string basis = upperCaseName(header->basisName);
    const BasisFamily family = basisFamilyOf(basis);
    if (family != BasisFamily::Sto3g && family != BasisFamily::SixThirtyOne) {
        showMessage(msg::withDetail(basis, msg::kUnsupportedBasis));
        return 1;
    }
    const int orbital = mo ? *mo : leadingInteger(header->electronCountText) / 2;

    CheckpointState state;
    ContourStore store;
    auto calc = std::make_unique<MolecularOrbital>();
    const OrbitalOutcome outcome =
        computeCheckpointOrbital(path, orbital - 1, *calc, state, store);
    for (const std::string& text : outcome.messages)
        showMessage(text);
    if (!outcome)
        return 1;

    if (!cubePath.empty()) {
        const std::string title = "KALVIRO orbital " + std::to_string(orbital) + " of " + path;
        const std::string comment = "basis " + calc->basisName + ", values at 51 x 51 x 51 points";
        if (!saveFileOrTell(cubePath, cubeFileText(*calc, title, comment)))
            return 1;
    }
    if (!contoursPath.empty() && !saveFileOrTell(contoursPath, contourText(store)))
        return 1;

    std::printf("basis %s orbital %d box x %.4f %.4f y %.4f %.4f z %.4f %.4f loops %u points %u\n",
                calc->basisName.c_str(), orbital, calc->boxMin[0], calc->boxMax[0], calc->boxMin[1],
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
    };
    auto options = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "orbital", "Compute one molecular orbital of a formatted checkpoint file and trace it");
    cmd->add_option("FILE", options->file, "Formatted checkpoint file (.fchk, .fch)")->required();
    cmd->add_option("--mo", options->mo, "Orbital number, 1-based (default: the HOMO)");
    cmd->add_option("--cube", options->cube, "Write the grid as a Gaussian cube file");
    cmd->add_option("--contours", options->contours, "Write the contour loops as text");
    cmd->callback([options, cmd, &status] {
        std::optional<int> mo;
        if (cmd->count("--mo") > 0)
            mo = options->mo;
        status = runOrbital(options->file, mo, options->cube, options->contours);
    });
}

} // namespace kalviro
