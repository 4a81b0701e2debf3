#pragma once
// Helpers of the window tests: events as the toolkit sends them, the main
// window with its dialogs, pictures saved by the view, and where an atom
// lands on the screen.

#include <GL/gl.h>
#include <GL/glu.h>
#include <wx/gdicmn.h>
#include <wx/wx.h>

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>

#include "TestSupport.h"
#include "app/MainFrame.h"
#include "app/MoleculeView.h"
#include "app/ProgramWiring.h"
#include "model/MoleculeState.h"
#include "render/ViewCommands.h"

namespace kalviro::test {

inline void pressButton(wxWindow* dlg, int id) {
    wxCommandEvent e(wxEVT_BUTTON, id);
    e.SetEventObject(dlg->FindWindow(id));
    dlg->GetEventHandler()->ProcessEvent(e);
}
inline void pressEscape(wxWindow* dlg) {
    wxKeyEvent e(wxEVT_CHAR_HOOK);
    e.m_keyCode = WXK_ESCAPE;
    e.SetEventObject(dlg);
    dlg->GetEventHandler()->ProcessEvent(e);
}
inline void pressCloseBox(wxWindow* dlg) {
    wxCloseEvent e(wxEVT_CLOSE_WINDOW, dlg->GetId());
    e.SetEventObject(dlg);
    e.SetCanVeto(true);
    dlg->GetEventHandler()->ProcessEvent(e);
}
inline void sendMenu(wxWindow* frame, int wxId) {
    wxCommandEvent e(wxEVT_MENU, wxId);
    e.SetEventObject(frame);
    frame->GetEventHandler()->ProcessEvent(e);
}
// Picks entry of a combo box as the user's choice reports it.
inline void chooseEntry(wxComboBox* list, int entry) {
    wxCommandEvent e(wxEVT_COMBOBOX, list->GetId());
    e.SetEventObject(list);
    e.SetInt(entry);
    list->GetEventHandler()->ProcessEvent(e);
}
// Rounds of pending and idle events, with a pause after each when sleepMs.
inline void runPendingEvents(int rounds, int sleepMs = 0) {
    for (int i = 0; i < rounds; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        if (sleepMs > 0)
            wxMilliSleep(sleepMs);
    }
}
inline void closeDialogsAndDestroy(MainFrame* frame) {
    frame->closePreviewDialog();
    frame->closeAxisDialog();
    frame->closeRotationDialog();
    frame->closeDataSelectionDialog();
    frame->Destroy();
}

// Where an atom lands in the view's client area (pixels from the top left),
// from the matrices the view's last frame left: atoms are drawn at
// (x + pan, y + pan, z - camera distance). Nothing when the view has no
// context or the atom projects to no sensible point.

inline std::optional<wxPoint> atomOnScreen(MoleculeView& view, const MoleculeState& m,
                                           std::size_t index) {
    if (index >= m.atoms.size() || !view.makeCurrent())
        return std::nullopt;
    GLdouble modelView[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const Atom& a = m.atoms[index];
    GLdouble wx = 0, wy = 0, wz = 0;
    if (!gluProject(a.x + m.panX, a.y + m.panY, a.z - m.cameraDistance, modelView, projection,
                    viewport, &wx, &wy, &wz) ||
        !std::isfinite(wx) || !std::isfinite(wy) || std::abs(wx) > 1e6 || std::abs(wy) > 1e6)
        return std::nullopt;
    return wxPoint(static_cast<int>(wx), viewport[3] - static_cast<int>(wy));
}

} // namespace kalviro::test
