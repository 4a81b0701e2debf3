// The top level of kalviro-cli: its name, description, --version and the
// commands. main() and the help tests build the same parser from here.

#include <string>

#include "cli/CliCommands.h"
#include "platform/ProgramVersion.h"

namespace kalviro {

void setUpCliApp(CLI::App& app, int& status) {
    app.name("kalviro-cli");
    app.description("KALVIRO batch commands: read vibrational results and write tables, "
                    "spectra and pictures without the desktop program");
    app.set_version_flag("--version", std::string("kalviro-cli ") + programVersion(),
                         "Print the version and exit");
    app.require_subcommand(1);
    addAllCommands(app, status);
    // After the commands, which would otherwise inherit it.
    app.footer("Run 'kalviro-cli COMMAND --help' for the options of one command.");
}

} // namespace kalviro
