#pragma once
// The application: one instance per user, the main frame, the platform the
// rest of the program talks to, and the file named on the command line.

#include <memory>
#include <string>
#include <vector>

#include <wx/ipc.h>
#include <wx/snglinst.h>
#include <wx/weakref.h>
#include <wx/wx.h>

#include "app/WxPlatform.h"
#include "document/Document.h"

namespace kalviro {

class MainFrame;

class KalviroApp : public wxApp {
  public:
    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;

    // Brings the frame to the front and opens path (if not empty) as the
    // open commands do.
    void openFromOutside(const std::string& path);

  private:
    std::unique_ptr<wxSingleInstanceChecker> instance_;
    std::unique_ptr<WxPlatform> platform_;
    std::unique_ptr<wxServer> server_;
    // What the window shows; the application outlives the frame.
    Document document_;
    // Cleared by the toolkit when the frame is destroyed: a second start's
    // file can arrive between the frame's end and the program's.
    wxWeakRef<wxFrame> frame_;
    bool handedOver_ = false; // a second start that passed its file on
};

// Installs the wx platform for frame (message boxes owned by it, redraws of
// its view). Returns the platform; the caller keeps it alive.
std::unique_ptr<WxPlatform> installPlatform(MainFrame* frame);

// View commands a script asks for once the command line's file is open
// (KALVIRO_COMMANDS, blank-separated ids, e.g. the screenshot's "32786 32789
// 32840"); words that are not ids are skipped.
std::vector<int> startupCommands(const char* text);

// Where a running instance listens for a second start's file.
std::string instanceSocketPath();
// Hands path to the running instance; false when none answers.
bool handToRunningInstance(const std::string& path);

} // namespace kalviro
