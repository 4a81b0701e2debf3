#pragma once
// The desktop program's own arguments, read before the toolkit starts so that
// --help and --version work without a display. The option table is the one
// list both the parser and the help text read.

#include <string>
#include <vector>

namespace kalviro {

enum class CommandLineAction { Run, Help, Version, EndOfOptions, Error };

struct ProgramOption {
    const char* name;      // "--help"
    const char* shortName; // "-h", or "" when there is none
    CommandLineAction action;
    const char* description;
};

inline constexpr ProgramOption kProgramOptions[] = {
    {"--help", "-h", CommandLineAction::Help, "Print this help and exit"},
    {"--version", "", CommandLineAction::Version, "Print the version and exit"},
    {"--", "", CommandLineAction::EndOfOptions,
     "End of options: the next argument is FILE even when it begins with '-'"},
};

struct CommandLine {
    CommandLineAction action = CommandLineAction::Run;
    std::string file;  // empty: start with an empty view
    std::string error; // for Error
};

// args without the program name. Help and version win over everything else;
// an unknown option or a second FILE is an error.
CommandLine parseCommandLine(const std::vector<std::string>& args);

std::string programHelpText();
std::string programVersionText(); // "kalviro 0.1.0\n"

} // namespace kalviro
