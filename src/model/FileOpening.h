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

// What the view's Gaussian open command does with a chosen path: true when
// the data-selection dialog should open.
bool openGaussianFile(const std::string& path);

FileDialogRequest gaussianOpenRequest();
FileDialogRequest gamessOpenRequest();

// The Gaussian open command (menu and toolbar): dialog, then
// openGaussianFile. True when the data-selection dialog should open.
bool OnOpenGaussianFile();
// The GAMESS open command: dialog, then the file is read. The result is
// that of openMoleculeFile.
OpenResult openGamessFile();

} // namespace kalviro
