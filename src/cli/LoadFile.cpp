#include "cli/CliCommands.h"

#include "document/FileOpening.h"

namespace kalviro {

bool loadFileAsProgram(Document& doc, const std::string& path) {
    return openMoleculeFile(doc, path).read;
}

} // namespace kalviro
