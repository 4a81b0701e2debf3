#pragma once
// The interface of the file readers the open commands use. A reader is made
// for one load and holds no data.

#include <string>

namespace kalviro {

struct MoleculeState;

class MoleculeReader {
  public:
    virtual ~MoleculeReader() = default;
    // Reads a whole file into the process-wide stores; false (the user was
    // told why) when nothing was read.
    virtual bool read(const std::string& path) = 0;
    // Reads the atoms of a file into molecule; false as for read.
    virtual bool readAtoms(MoleculeState& molecule, const std::string& path) = 0;
};

} // namespace kalviro
