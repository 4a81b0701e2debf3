#include "cli/CliCommands.h"

#include "cli/BatchPlatform.h"

namespace kalviro {

BatchPlatform& batchPlatform() {
    static BatchPlatform p;
    return p;
}

void addAllCommands(CLI::App& app, int& status) {
    addDumpCommand(app, status);
    addIrCommand(app, status);
    addCoordsCommand(app, status);
    addSpectrumCommands(app, status);
    addOrbitalCommand(app, status);
    addRenderCommand(app, status);
    addAnimateCommand(app, status);
    addJcampCommand(app, status);
}

} // namespace kalviro
