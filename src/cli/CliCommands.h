#pragma once
// The batch commands of kalviro-cli. Each adds its subcommand to the app;
// its callback makes a document of its own and leaves the process exit
// status in status (0, or 1 when it failed), which must outlive the app.

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace kalviro {

class BatchPlatform;
struct Document;

// Opens path into doc as the viewer's open command does (the reader chosen
// by the extension); false (message shown) when nothing could be read.
bool loadFileAsProgram(Document& doc, const std::string& path);
// What every command that reads a file adds to it.
struct LoadOptions {
    std::string fchk;     // checkpoint file of the same job: dipole derivatives
    std::string isotopes; // "3=2H,4=13C": masses changed, modes computed again
};
// As loadFileAsProgram, then the dipole derivatives of o.fchk added to the
// output's modes and the isotopes of o.isotopes applied (each when given);
// false (message shown) when any of them fails.
bool loadFileWithOptions(Document& doc, const std::string& path, const LoadOptions& o);
// --fchk and --isotope.
void addLoadOptions(CLI::App* cmd, LoadOptions& o);
BatchPlatform& batchPlatform();

void addDumpCommand(CLI::App& app, int& status);
void addOrbitalCommand(CLI::App& app, int& status);
// Prints the checkpoint values of `dump` (no mo: the HOMO); the exit status.
int dumpCheckpoint(const std::string& path, std::optional<int> mo);
void addSpectrumCommands(CLI::App& app, int& status); // spectrum, projection, plot
void addIrCommand(CLI::App& app, int& status);
void addCoordsCommand(CLI::App& app, int& status);
void addRenderCommand(CLI::App& app, int& status);
void addJcampCommand(CLI::App& app, int& status);
void addAnimateCommand(CLI::App& app, int& status);

// Every command above, in the order the help lists them.
void addAllCommands(CLI::App& app, int& status);
// Name, description, --version and every command: the whole kalviro-cli parser.
void setUpCliApp(CLI::App& app, int& status);

} // namespace kalviro
