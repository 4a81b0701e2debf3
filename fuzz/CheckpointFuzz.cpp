// The checkpoint reader and the whole orbital calculation behind it (basis,
// grid, contour tracing), through the program's open path.

#include "FuzzInput.h"
#include "cli/CliCommands.h"
#include "model/MoleculeState.h"
#include "orbital/ContourStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalviro;
    fuzz::resetState();
    loadFileAsProgram(fuzz::writeInput(data, size, ".fchk"));
    perceiveBonds(moleculeState());
    contourStore().rotateContours(30.0, 45.0);
    contourStore().restoreContours();
    return 0;
}
