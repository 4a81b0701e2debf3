#include <cstdio>
#include <memory>

#include "cli/CliCommands.h"
#include "document/Document.h"
#include "document/SaveCommands.h"
#include "ir/IrTableExport.h"
#include "model/SafeFileWriter.h"
#include "model/VibrationStore.h"
#include "platform/Messages.h"

namespace kalviro {

void addIrCommand(CLI::App& app, int& status) {
    struct Options {
        std::string file;
        std::string output;
        bool bySymmetry = false;
        LoadOptions load;
    };
    auto options = std::make_shared<Options>();
    CLI::App* cmd =
        app.add_subcommand("ir", "Read FILE and write its IR table as the viewer's CSV");
    cmd->add_option("FILE", options->file, "Gaussian output (.log, .out) or another supported file")
        ->required();
    cmd->add_option("-o,--output", options->output, "CSV file to write")->required();
    cmd->add_flag("--by-symmetry", options->bySymmetry,
                  "Group the rows by symmetry species (irsorted.csv)");
    addLoadOptions(cmd, options->load);
    cmd->callback([options, &status] {
        Document doc;
        if (!loadFileWithOptions(doc, options->file, options->load)) {
            status = 1;
            return;
        }
        std::vector<IrRow> rows = irRows(doc.vibrations);
        if (options->bySymmetry) {
            if (rows.empty()) {
                showMessage(msg::kNoIrData);
                status = 1;
                return;
            }
            sortIrRowsBySymmetry(rows);
        }
        if (!saveFileOrTell(options->output, irTableBytes(rows)))
            status = 1;
    });
}

} // namespace kalviro
