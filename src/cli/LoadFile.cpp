#include "cli/CliCommands.h"

#include "model/FileOpening.h"

namespace kalviro {

bool loadFileAsProgram(const std::string& path) {
    return openMoleculeFile(path).read;
}

} // namespace kalviro
