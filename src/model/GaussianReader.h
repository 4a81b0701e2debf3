#pragma once
// Gaussian files: read takes an output file (.log, .out), readAtoms an input
// file (.dat, .com, .gjf).

#include "model/MoleculeReader.h"

namespace kalviro {

class GaussianReader final : public MoleculeReader {
  public:
    bool read(const std::string& path) override;
    bool readAtoms(MoleculeState& molecule, const std::string& path) override;
};

} // namespace kalviro
