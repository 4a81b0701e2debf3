#include "cli/CliCommands.h"

#include "model/readers/GaussianOutputReader.h"

namespace kalviro {

bool loadFileAsProgram(const std::string& path) {
    return readOutput(path);
}

} // namespace kalviro
