#pragma once
// "回転角度の設定": two atoms whose direction becomes the +X axis.

#include <functional>

#include <wx/wx.h>

namespace kalviro {

struct Document;

class RotationAngleDialog : public wxDialog {
  public:
    // close is the owner's way of closing it (after OK or Cancel).
    // doc outlives the dialog.
    RotationAngleDialog(wxWindow* view, Document& doc, std::function<void()> close);
    // Edits from the two picked atoms, the list from the molecule.
    void fill(int firstAtom, int secondAtom);

    wxTextCtrl* firstEdit() const { return firstEdit_; }
    wxTextCtrl* secondEdit() const { return secondEdit_; }
    wxListBox* atomList() const { return atomList_; }

  private:
    void onOk(wxCommandEvent&);
    void onCancel(wxCommandEvent&);
    void closeAndRedraw();

    wxWindow* view_;
    Document& doc_;
    std::function<void()> close_;
    wxTextCtrl* firstEdit_ = nullptr;
    wxTextCtrl* secondEdit_ = nullptr;
    wxListBox* atomList_ = nullptr;
};

} // namespace kalviro
