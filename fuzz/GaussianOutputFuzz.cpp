// The Gaussian output reader, through the program's open path.

#include "FuzzInput.h"
#include "cli/CliCommands.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalviro;
    fuzz::resetState();
    loadFileAsProgram(fuzz::writeInput(data, size, ".log"));
    // Whatever was read must be consistent enough for every later command.
    perceiveBonds(moleculeState());
    vibrationStore().saveVectors();
    vibrationStore().restoreVectors();
    return 0;
}
