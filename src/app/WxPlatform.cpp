#include "app/WxPlatform.h"

#include <filesystem>

#include <wx/filedlg.h>

#include "app/DialogSupport.h"
#include "app/FrameLayout.h"

namespace kalviro {

WxPlatform::WxPlatform(std::function<wxWindow*()> mainWindow, std::function<void()> redraw)
    : mainWindow_(std::move(mainWindow)), redraw_(std::move(redraw)) {}

void WxPlatform::showMessage(const std::string& text) {
    wxWindow* owner = mainWindow_ ? mainWindow_() : nullptr;
    wxMessageDialog box(owner, u8(text), kAppTitle, wxOK | wxCENTRE);
    box.ShowModal();
}

wxString wildcardFromFilter(const std::string& filter) {
    std::string f = filter;
    while (!f.empty() && f.back() == '|')
        f.pop_back();
    return u8(f);
}

std::string withDefaultExtension(const std::string& path, const std::string& extension) {
    if (extension.empty() || std::filesystem::path(path).has_extension())
        return path;
    return path + "." + extension;
}

std::optional<std::string> WxPlatform::runFileDialog(const FileDialogRequest& request,
                                                     bool saving) {
    wxWindow* owner = mainWindow_ ? mainWindow_() : nullptr;
    // A GTK open dialog cannot name a new file, so a request that only
    // prompts before overwriting (the CSV and text saves) gets the save form.
    const bool save = saving || !request.hideReadOnly;
    long style = save ? wxFD_SAVE : (wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (save && request.overwritePrompt)
        style |= wxFD_OVERWRITE_PROMPT;
    wxFileDialog dialog(owner, wxEmptyString, lastFolder_, u8(request.defaultFileName),
                        wildcardFromFilter(request.filter), style);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    lastFolder_ = dialog.GetDirectory();
    return withDefaultExtension(toU8(dialog.GetPath()), request.defaultExtension);
}

std::optional<std::string> WxPlatform::chooseOpenPath(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

std::optional<std::string> WxPlatform::chooseSavePath(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

void WxPlatform::redrawView() {
    if (redraw_)
        redraw_();
}

} // namespace kalviro
