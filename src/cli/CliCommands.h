#pragma once
// The batch commands of kalviro-cli. Each adds its subcommand to the app;
// its callback stores the process exit status in cliExitStatus().

#include <CLI/CLI.hpp>

namespace kalviro {

class BatchPlatform;

int& cliExitStatus();
BatchPlatform& batchPlatform();

void addDumpCommand(CLI::App& app);

// Every command above, in the order the help lists them.
void addAllCommands(CLI::App& app);

} // namespace kalviro
