// The Gaussian input reader, through the program's open path (a .com file).

#include "FuzzInput.h"
#include "cli/CliCommands.h"
#include "document/Document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalviro;
    fuzz::silenceMessages();
    Document doc;
    loadFileAsProgram(doc, fuzz::writeInput(data, size, ".com"));
    perceiveBonds(doc.molecule);
    doc.contours.rotateContours(30.0, 45.0);
    doc.contours.restoreContours();
    return 0;
}
