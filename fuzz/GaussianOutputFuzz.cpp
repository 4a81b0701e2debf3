// The Gaussian output reader, through the program's open path.

#include "FuzzInput.h"
#include "cli/CliCommands.h"
#include "document/Document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalviro;
    fuzz::silenceMessages();
    Document doc;
    loadFileAsProgram(doc, fuzz::writeInput(data, size, ".log"));
    // Whatever was read must be consistent enough for every later command.
    perceiveBonds(doc.molecule);
    doc.vibrations.saveVectors();
    doc.vibrations.restoreVectors();
    return 0;
}
