#pragma once
// What the program asks of the windowing system: message boxes, file
// dialogs, opening a web address and asking the view to redraw. The desktop
// program, the batch command line and the tests each install their own.

#include <optional>
#include <string>

namespace kalviro {

// One request for a common file dialog. Texts are UTF-8.
struct FileDialogRequest {
    std::string filter;           // "text|*.ext|text|*.a;*.b||"
    std::string defaultExtension; // without the dot; empty for none
    std::string defaultFileName;  // proposed name; empty for none
    bool hideReadOnly = true;
    bool overwritePrompt = true;
};

class Platform {
public:
    virtual ~Platform() = default;
    // A message box with an OK button; returns when the user dismissed it.
    virtual void showMessage(const std::string& text) = 0;
    // The open form of the file dialog; nullopt when the user cancelled.
    virtual std::optional<std::string> chooseOpenPath(const FileDialogRequest& request) = 0;
    // The save form of the file dialog; nullopt when the user cancelled.
    virtual std::optional<std::string> chooseSavePath(const FileDialogRequest& request) = 0;
    // Asks the 3D view to draw a frame now.
    virtual void redrawView() = 0;
};

// The platform in use. Until one is installed, a quiet one answers: messages
// go to standard error and every dialog is cancelled.
Platform& platform();
// Installs p (not owned) or, with nullptr, the quiet default again.
void setPlatform(Platform* p);

// Shorthand for platform().showMessage(text).
void showMessage(const std::string& text);

} // namespace kalviro
