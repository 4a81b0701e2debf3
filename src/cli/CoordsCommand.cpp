#include <cstdio>
#include <memory>

#include "cli/CliCommands.h"
#include "document/SaveCommands.h"
#include "ir/CoordinateExport.h"
#include "model/MoleculeState.h"
#include "model/SafeFileWriter.h"
#include "platform/Platform.h"
#include "platform/Messages.h"

namespace kalviro {

void addCoordsCommand(CLI::App& app) {
    struct Options {
        std::string file;
        std::string output;
    };
    auto options = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "coords", "Read FILE and write its atoms as the viewer's coordinate file");
    cmd->add_option("FILE", options->file, "Gaussian output or input, or GAMESS input")->required();
    cmd->add_option("-o,--output", options->output, "text file to write")->required();
    cmd->callback([options] {
        if (!loadFileAsProgram(options->file)) {
            cliExitStatus() = 1;
            return;
        }
        // The viewer silently ignores the command without atoms; a batch run
        // must not report success for a file it did not write.
        if (moleculeState().atoms.empty()) {
            showMessage(msg::kNoAtomsToWrite);
            cliExitStatus() = 1;
            return;
        }
        if (!saveFileOrTell(options->output, coordinateFileBytes(moleculeState())))
            cliExitStatus() = 1;
    });
}

} // namespace kalviro
