#include "app/DialogSupport.h"

#include <wx/display.h>

#include "app/FrameLayout.h"
#include "render/ViewCommands.h"

namespace kalviro {

wxFont dialogFont() {
    return wxFont(9, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false,
                  "IPAPGothic");
}

wxFont dialogMinchoFont() {
    return wxFont(9, wxFONTFAMILY_ROMAN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false,
                  "IPAMincho");
}

wxPoint dluPoint(wxWindow* dlg, int x, int y) {
    return dlg->ConvertDialogToPixels(wxPoint(x, y));
}

wxSize dluSize(wxWindow* dlg, int w, int h) {
    return dlg->ConvertDialogToPixels(wxSize(w, h));
}

void keepOnScreen(wxTopLevelWindow* w) {
    int index = wxDisplay::GetFromWindow(w);
    if (index == wxNOT_FOUND)
        index = 0;
    if (wxDisplay::GetCount() == 0)
        return;
    const wxRect area = wxDisplay(index).GetClientArea();
    wxRect r = w->GetRect();
    if (r.GetRight() > area.GetRight())
        r.x = area.GetRight() - r.width + 1;
    if (r.GetBottom() > area.GetBottom())
        r.y = area.GetBottom() - r.height + 1;
    r.x = std::max(r.x, area.x);
    r.y = std::max(r.y, area.y);
    w->Move(r.GetPosition());
}

void layoutDialog(wxDialog* dlg, wxWindow* owner, int x, int y, int w, int h) {
    dlg->SetFont(dialogFont());
    dlg->SetClientSize(dluSize(dlg, w, h));
    const wxPoint offset = dluPoint(dlg, x, y);
    dlg->Move(owner ? owner->ClientToScreen(offset) : offset);
    keepOnScreen(dlg);
}

void sendRedrawCommand(wxWindow* target) {
    sendCommand(target, cmd::Redraw);
}

void sendCommand(wxWindow* target, int command) {
    if (!target)
        return;
    wxCommandEvent ev(wxEVT_MENU, menuIdFor(command));
    ev.SetEventObject(target);
    target->GetEventHandler()->ProcessEvent(ev);
}

} // namespace kalviro
