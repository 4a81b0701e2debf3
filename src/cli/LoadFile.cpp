#include "cli/CliCommands.h"

#include "document/CheckpointPairing.h"
#include "document/FileOpening.h"

namespace kalviro {

bool loadFileAsProgram(Document& doc, const std::string& path) {
    return openMoleculeFile(doc, path).read;
}

bool loadFileWithCheckpoint(Document& doc, const std::string& path, const std::string& fchk) {
    if (!loadFileAsProgram(doc, path))
        return false;
    return fchk.empty() || addCheckpointVectors(doc, fchk).has_value();
}

void addCheckpointOption(CLI::App* cmd, std::string& fchk) {
    cmd->add_option("--fchk", fchk,
                    "Formatted checkpoint file of the same job: dipole derivatives for the "
                    "output's modes from its Hessian and atomic polar tensor");
}

} // namespace kalviro
