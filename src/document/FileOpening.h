#pragma once
// The open commands: the file dialogs they show, the reader the extension
// selects, and the reset before a Gaussian load.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Platform.h"

namespace kalviro {

struct Document;

struct OpenResult {
    bool read = false;              // the file was read into the document
    bool showDataSelection = false; // modes or dipole derivatives were loaded
    bool orbitalRead = false;       // a checkpoint file filled the "MO" group
};

// Called now and then with the bytes read so far while an output file is
// read; returning false cancels the reading.
using ReadProgress = std::function<bool(std::uint64_t bytesRead)>;

// What the window showing the document adds to opening a file; either may be
// empty.
struct OpenSteps {
    ReadProgress progress;
    std::function<void()> closeAnalysisDialogs; // run by the reset
};

// Reads path into doc with the reader its extension selects. An unsupported
// extension or a file that cannot be opened is reported and changes nothing;
// Gaussian files are read after resetAnalysis, GAMESS and checkpoint files
// without it. An output file is parsed before the reset, so a cancelled
// reading changes nothing either.
OpenResult openMoleculeFile(Document& doc, const std::string& path, const OpenSteps& steps = {});

// The open-file requests of the Gaussian and GAMESS open commands.
FileDialogRequest gaussianOpenRequest();
FileDialogRequest gamessOpenRequest();

} // namespace kalviro
