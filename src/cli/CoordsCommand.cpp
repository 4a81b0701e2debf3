#include <cstdio>
#include <memory>

#include "cli/CliCommands.h"
#include "document/SaveCommands.h"
#include "ir/CoordinateExport.h"
#include "document/Document.h"
#include "model/SafeFileWriter.h"
#include "platform/Platform.h"
#include "platform/Messages.h"

namespace kalviro {

void addCoordsCommand(CLI::App& app, int& status) {
    struct Options {
        std::string file;
        std::string output;
    };
    auto options = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "coords", "Read FILE and write its atoms as the viewer's coordinate file");
    cmd->add_option("FILE", options->file, "Gaussian output or input, or GAMESS input")->required();
    cmd->add_option("-o,--output", options->output, "text file to write")->required();
    cmd->callback([options, &status] {
        Document doc;
        if (!loadFileAsProgram(doc, options->file)) {
            status = 1;
            return;
        }
        // The viewer silently ignores the command without atoms; a batch run
        // must not report success for a file it did not write.
        if (doc.molecule.atoms.empty()) {
            showMessage(msg::kNoAtomsToWrite);
            status = 1;
            return;
        }
        if (!saveFileOrTell(options->output, coordinateFileBytes(doc.molecule)))
            status = 1;
    });
}

} // namespace kalviro
