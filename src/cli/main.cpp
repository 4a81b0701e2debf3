// kalviro-cli: the viewer's readers, calculations and writers as batch
// commands. Messages go to standard error; a command that fails exits 1.

#include <CLI/CLI.hpp>

#include "cli/BatchPlatform.h"
#include "cli/CliCommands.h"

int main(int argc, char** argv) {
    using namespace kalviro;
    setPlatform(&batchPlatform());
    int status = 0;
    CLI::App app;
    setUpCliApp(app, status);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kalviro-cli: %s\n", e.what());
        return 1;
    }
    return status;
}
