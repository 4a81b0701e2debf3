#include "app/CommandLineLogic.h"

#include <algorithm>

#include "platform/ProgramVersion.h"

namespace kalviro {
namespace {

const ProgramOption* findOption(const std::string& arg) {
    for (const ProgramOption& o : kProgramOptions)
        if (arg == o.name || (*o.shortName && arg == o.shortName))
            return &o;
    return nullptr;
}

// --help, then --version, answer even beside a mistake.
int rank(CommandLineAction a) {
    switch (a) {
    case CommandLineAction::Help:
        return 3;
    case CommandLineAction::Version:
        return 2;
    case CommandLineAction::Error:
        return 1;
    default:
        return 0;
    }
}

void escalate(CommandLine& line, CommandLineAction a, const std::string& error = {}) {
    if (rank(a) <= rank(line.action))
        return;
    line.action = a;
    line.error = error;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    bool optionsEnded = false;
    int files = 0;
    for (const std::string& arg : args) {
        // A lone "-" is a file name, as most programs take it.
        if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            const ProgramOption* o = findOption(arg);
            if (!o) {
                escalate(result, CommandLineAction::Error, "unknown option '" + arg + "'");
                continue;
            }
            if (o->action == CommandLineAction::EndOfOptions) {
                optionsEnded = true;
                continue;
            }
            escalate(result, o->action);
            continue;
        }
        if (++files > 1) {
            escalate(result, CommandLineAction::Error,
                     "only one FILE can be opened at start ('" + arg + "')");
            continue;
        }
        result.file = arg;
    }
    if (result.action != CommandLineAction::Run)
        result.file.clear();
    return result;
}

std::string programHelpText() {
    std::string text = "Usage: kalviro [OPTION]... [FILE]\n"
                       "KALVIRO shows the molecule, normal modes, IR table and spectra of a "
                       "vibrational-frequency\n"
                       "calculation (Japanese interface).\n\n"
                       "FILE  opened at start: Gaussian output (.log, .out), Gaussian input "
                       "(.dat, .com, .gjf),\n"
                       "      GAMESS input (.inp) or formatted checkpoint (.fchk, .fch). A second "
                       "start hands\n"
                       "      its FILE to the window already open.\n\n"
                       "Options:\n";
    std::size_t width = 0;
    std::vector<std::string> names;
    for (const ProgramOption& o : kProgramOptions) {
        names.push_back(*o.shortName ? std::string(o.shortName) + ", " + o.name
                                     : std::string("    ") + o.name);
        width = std::max(width, names.back().size());
    }
    for (std::size_t i = 0; i < names.size(); ++i)
        text += "  " + names[i] + std::string(width - names[i].size() + 2, ' ') +
                kProgramOptions[i].description + "\n";
    text += "\nThe batch commands (tables, spectra, pictures without a window) are in "
            "kalviro-cli;\n"
            "see 'kalviro-cli --help'.\n";
    return text;
}

std::string programVersionText() {
    return std::string("kalviro ") + programVersion() + "\n";
}

} // namespace kalviro
