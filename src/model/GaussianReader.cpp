#include "model/GaussianReader.h"

#include "model/readers/GaussianInputReader.h"
#include "model/readers/GaussianOutputReader.h"
#include "render/ViewSettings.h"

namespace kalviro {

bool GaussianReader::read(const std::string& path) {
    return readOutput(path);
}

bool GaussianReader::readAtoms(MoleculeState& molecule, const std::string& path) {
    return readInput(molecule, viewSettings(), path);
}

} // namespace kalviro
