#pragma once
// "座標軸設定ダイアログ": where the dipole-derivative arrow starts.

#include <wx/wx.h>

namespace kalviro {

class AxisDialog : public wxDialog {
  public:
    explicit AxisDialog(wxWindow* view);
    ~AxisDialog() override;
    // Appends "番号  原子" and one line per atom (never clears the list).
    void appendAtomList();

    wxTextCtrl* originEdit() const { return originEdit_; }
    wxCheckBox* startAtOriginBox() const { return startAtOrigin_; }
    wxListBox* atomList() const { return atomList_; }

  private:
    void onSet(wxCommandEvent&);
    void onInitialize(wxCommandEvent&);
    void onClose(wxCommandEvent&);

    wxWindow* view_;
    wxTextCtrl* originEdit_ = nullptr;
    wxCheckBox* startAtOrigin_ = nullptr;
    wxListBox* atomList_ = nullptr;
};

// The open dialog, or null.
AxisDialog* axisDialog();
// The open dialog, created (visible, box cleared) on first use.
AxisDialog* getAxisDialog(wxWindow* view);
// Command 32805 once it may open: the dialog with another copy of the list.
void OnAxisDialog(wxWindow* view);
// Closes the dialog if open (the file reset calls it).
void closeAxisDialog();

} // namespace kalviro
