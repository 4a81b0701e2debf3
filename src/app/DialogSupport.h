#pragma once
// What the dialogs share: their font, placing controls in dialog units, and
// keeping a dialog on screen.

#include <wx/wx.h>

namespace kalviro {

// "ＭＳ Ｐゴシック" 9 pt of the templates, as the IPA proportional Gothic.
wxFont dialogFont();
// "ＭＳ 明朝" of the templates, as the IPA Mincho.
wxFont dialogMinchoFont();

// Gives dlg the dialog font and a client area of w x h dialog units, at
// (x, y) dialog units from the owner's client origin, moved inside the
// display that holds it.
void layoutDialog(wxDialog* dlg, wxWindow* owner, int x, int y, int w, int h);

// A control's rectangle from dialog units of dlg.
wxPoint dluPoint(wxWindow* dlg, int x, int y);
wxSize dluSize(wxWindow* dlg, int w, int h);

// Keeps a top-level window fully on the display it is on (or the first).
void keepOnScreen(wxTopLevelWindow* w);

// Sends the view command that redraws (32779) as a menu command to target.
void sendRedrawCommand(wxWindow* target);
// Sends a command as a menu command to target; it rises to the main window.
void sendCommand(wxWindow* target, int command);

// UTF-8 <-> wxString.
inline wxString u8(const std::string& s) {
    return wxString::FromUTF8(s.c_str());
}
inline wxString u8(const char* s) {
    return wxString::FromUTF8(s);
}
inline std::string toU8(const wxString& s) {
    return std::string(s.utf8_str());
}

} // namespace kalviro
