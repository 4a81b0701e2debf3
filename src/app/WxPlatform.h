#pragma once
// The desktop program's platform: message boxes modal to the main window,
// GTK file dialogs that start in the last folder used, and the 3D view's
// redraw.

#include <functional>

#include <wx/wx.h>

#include "platform/Platform.h"

namespace kalviro {

class WxPlatform final : public Platform {
  public:
    // mainWindow owns the message boxes; redraw draws the view now.
    WxPlatform(std::function<wxWindow*()> mainWindow, std::function<void()> redraw);

    void showMessage(const std::string& text) override;
    std::optional<std::string> chooseOpenPath(const FileDialogRequest& request) override;
    std::optional<std::string> chooseSavePath(const FileDialogRequest& request) override;
    void redrawView() override;

  private:
    std::optional<std::string> runFileDialog(const FileDialogRequest& request, bool saving);
    std::function<wxWindow*()> mainWindow_;
    std::function<void()> redraw_;
    // The folder of the last file chosen; the next dialog starts there.
    wxString lastFolder_;
};

// "text|*.a|All|*.*||" as wx wants it: without the closing "||".
wxString wildcardFromFilter(const std::string& filter);
// The chosen name with the default extension added when it has none.
std::string withDefaultExtension(const std::string& path, const std::string& extension);

} // namespace kalviro
