// The checkpoint reader and the whole orbital calculation behind it (basis,
// grid, contour tracing), through the program's open path; a file with a
// Hessian is then paired with the modes it gave, as an output would be.

#include "FuzzInput.h"
#include "cli/CliCommands.h"
#include "document/CheckpointPairing.h"
#include "document/Document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalviro;
    fuzz::silenceMessages();
    Document doc;
    const std::string path = fuzz::writeInput(data, size, ".fchk");
    if (loadFileAsProgram(doc, path) && !doc.vibrations.modes.empty())
        addCheckpointVectors(doc, path);
    perceiveBonds(doc.molecule);
    doc.contours.rotateContours(30.0, 45.0);
    doc.contours.restoreContours();
    return 0;
}
