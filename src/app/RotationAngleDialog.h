#pragma once
// "回転角度の設定": two atoms whose direction becomes the +X axis.

#include <wx/wx.h>

namespace kalviro {

class RotationAngleDialog : public wxDialog {
  public:
    explicit RotationAngleDialog(wxWindow* view);
    ~RotationAngleDialog() override;
    // Edits from the two picked atoms, the list from the molecule.
    void fill(int firstAtom, int secondAtom);

    wxTextCtrl* firstEdit() const { return firstEdit_; }
    wxTextCtrl* secondEdit() const { return secondEdit_; }
    wxListBox* atomList() const { return atomList_; }

  private:
    void onOk(wxCommandEvent&);
    void onCancel(wxCommandEvent&);

    wxWindow* view_;
    wxTextCtrl* firstEdit_ = nullptr;
    wxTextCtrl* secondEdit_ = nullptr;
    wxListBox* atomList_ = nullptr;
};

// The open dialog, or null.
RotationAngleDialog* rotationDialog();
// Command 32852 after its reset: opens the dialog, or brings the open one to
// the front, filled with the picked atoms and the atom list.
void OnSetRotationAngle(wxWindow* view);
// Closes the dialog if open (the file reset calls it).
void closeRotationDialog();

} // namespace kalviro
