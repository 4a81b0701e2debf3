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
    std::string statusText;         // a note for the window's status bar, "" for none
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

// Reads path into doc with the reader its extension selects. The file is
// read completely first: one that cannot be read or yields no atoms is
// reported (naming the file and the reason) and changes nothing, and so does
// a cancelled reading. A file that replaces the document clears everything
// of the previous one (resetForNewFile); a checkpoint file without a Hessian
// only lays its orbital over the molecule shown.
OpenResult openMoleculeFile(Document& doc, const std::string& path, const OpenSteps& steps = {});

// The open-file requests of the Gaussian and GAMESS open commands.
FileDialogRequest gaussianOpenRequest();
FileDialogRequest gamessOpenRequest();

} // namespace kalviro
