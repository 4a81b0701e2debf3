#include "cli/CliCommands.h"

#include "cli/BatchPlatform.h"

namespace kalviro {

int& cliExitStatus() {
    static int status = 0;
    return status;
}

BatchPlatform& batchPlatform() {
    static BatchPlatform p;
    return p;
}

void addAllCommands(CLI::App& app) {
    addDumpCommand(app);
    addIrCommand(app);
    addCoordsCommand(app);
    addSpectrumCommands(app);
    addOrbitalCommand(app);
    addRenderCommand(app);
    addJcampCommand(app);
}

} // namespace kalviro
