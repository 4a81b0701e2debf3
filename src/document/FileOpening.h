#pragma once
// The open commands: the file dialogs they show, the reader the extension
// selects, and the reset before a Gaussian load.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Platform.h"

namespace kalviro {

struct OpenResult {
    bool read = false;              // the file was read into the stores
    bool showDataSelection = false; // modes or dipole derivatives were loaded
};

// Opens a formatted checkpoint file; false when nothing was read. The orbital
// code installs it; until then such files are not supported.
using CheckpointOpener = std::function<bool(const std::string& path)>;
void setCheckpointOpener(CheckpointOpener opener);

// Called now and then with the bytes read so far while an output file is
// read; returning false cancels the reading.
using ReadProgress = std::function<bool(std::uint64_t bytesRead)>;

// Reads path with the reader its extension selects. An unsupported extension
// or a file that cannot be opened is reported and changes nothing; Gaussian
// files are read after resetAnalysis, GAMESS and checkpoint files without it.
// An output file is parsed before the reset, so a cancelled reading changes
// nothing either.
OpenResult openMoleculeFile(const std::string& path, const ReadProgress& progress = nullptr);

// The open-file requests of the Gaussian and GAMESS open commands.
FileDialogRequest gaussianOpenRequest();
FileDialogRequest gamessOpenRequest();

} // namespace kalviro
