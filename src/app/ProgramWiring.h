#pragma once
// What the desktop program plugs into the main window: drawing, picking and
// drag work for the view, and the open path that shows what a file brought.

#include <string>

#include "platform/Platform.h"

namespace kalviro {

class MainFrame;

// Fills the view's actions. The toolkit must be up (GLUT is initialised
// here).
void wireProgram(MainFrame* frame);

// Opens path by its extension, as the command line, the recent files and a
// second start do: a progress window for a long reading, the data selection
// dialog after an output file, the recent-file list, a redraw.
void openFileThroughDispatch(MainFrame* frame, const std::string& path);

// Adds path's dipole derivatives to the open output (a checkpoint file of
// the same job), says where they came from in the status bar, refreshes the
// mode list and redraws; a file that does not fit is reported.
void pairCheckpointFile(MainFrame* frame, const std::string& path);

// An open command: asks for a file with request, then opens it as above.
void openChosenFile(MainFrame* frame, const FileDialogRequest& request);

} // namespace kalviro
