#pragma once
// The batch commands of kalviro-cli. Each adds its subcommand to the app;
// its callback stores the process exit status in cliExitStatus().

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace kalviro {

class BatchPlatform;

int& cliExitStatus();

// Opens path as the viewer's open command does (the reader chosen by the
// extension) into the process-wide stores; false (message shown) when
// nothing could be read.
bool loadFileAsProgram(const std::string& path);
BatchPlatform& batchPlatform();

void addDumpCommand(CLI::App& app);
void addOrbitalCommand(CLI::App& app);
// Prints the checkpoint values of `dump` (no mo: the HOMO); the exit status.
int dumpCheckpoint(const std::string& path, std::optional<int> mo);
void addSpectrumCommands(CLI::App& app); // spectrum, projection, plot
void addIrCommand(CLI::App& app);
void addCoordsCommand(CLI::App& app);
void addRenderCommand(CLI::App& app);
void addJcampCommand(CLI::App& app);

// Every command above, in the order the help lists them.
void addAllCommands(CLI::App& app);
// Name, description, --version and every command: the whole kalviro-cli parser.
void setUpCliApp(CLI::App& app);

} // namespace kalviro
