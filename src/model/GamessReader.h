#pragma once
// GAMESS input files (.inp): read takes the atoms of the $DATA group;
// readAtoms has nothing to do.

#include "model/MoleculeReader.h"

namespace kalviro {

class GamessReader final : public MoleculeReader {
  public:
    bool read(const std::string& path) override;
    bool readAtoms(MoleculeState&, const std::string&) override { return true; }
};

} // namespace kalviro
