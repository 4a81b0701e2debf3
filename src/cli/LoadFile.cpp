#include "cli/CliCommands.h"

#include "document/CheckpointPairing.h"
#include "document/FileOpening.h"
#include "document/IsotopeChange.h"

namespace kalviro {

bool loadFileAsProgram(Document& doc, const std::string& path) {
    return openMoleculeFile(doc, path).read;
}

bool loadFileWithOptions(Document& doc, const std::string& path, const LoadOptions& o) {
    if (!loadFileAsProgram(doc, path))
        return false;
    if (!o.fchk.empty() && !addCheckpointVectors(doc, o.fchk))
        return false;
    return o.isotopes.empty() || changeIsotopes(doc, o.isotopes, path).has_value();
}

void addLoadOptions(CLI::App* cmd, LoadOptions& o) {
    cmd->add_option("--fchk", o.fchk,
                    "Formatted checkpoint file of the same job: dipole derivatives for the "
                    "output's modes from its Hessian and atomic polar tensor");
    cmd->add_option("--isotope", o.isotopes,
                    "Changed masses, e.g. 3=2H,4=13C,5=17.9992 (atom number = isotope or mass "
                    "in amu): modes, intensities and dipole derivatives computed again from the "
                    "Hessian (a frequency checkpoint file, or one given with --fchk)");
}

} // namespace kalviro
