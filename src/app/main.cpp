// kalviro: the desktop program. Its own options are answered before the
// toolkit starts, so --help and --version need no display.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/KalviroApp.h"
#include "app/CommandLineLogic.h"

wxIMPLEMENT_APP_NO_MAIN(kalviro::KalviroApp);

int main(int argc, char** argv) {
    using namespace kalviro;
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
    case CommandLineAction::Help:
        std::fputs(programHelpText().c_str(), stdout);
        return 0;
    case CommandLineAction::Version:
        std::fputs(programVersionText().c_str(), stdout);
        return 0;
    case CommandLineAction::Error:
        std::fprintf(stderr, "kalviro: %s\nTry 'kalviro --help'.\n", line.error.c_str());
        return 2;
    default:
        break;
    }
    // The application reads the file as its first argument. Made absolute, a
    // name that begins with '-' cannot pass for a toolkit option.
    std::vector<std::string> kept{argv[0]};
    if (!line.file.empty()) {
        std::error_code ec;
        const auto path = std::filesystem::absolute(line.file, ec);
        kept.push_back(ec ? line.file : path.string());
    }
    std::vector<char*> args;
    for (std::string& a : kept)
        args.push_back(a.data());
    args.push_back(nullptr);
    int count = static_cast<int>(kept.size());
    return wxEntry(count, args.data());
}
