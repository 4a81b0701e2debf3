#pragma once
// "座標軸設定ダイアログ": where the dipole-derivative arrow starts.

#include <functional>

#include <wx/wx.h>

namespace kalviro {

struct Document;

class AxisDialog : public wxDialog {
  public:
    // close is the owner's way of closing it (the buttons and the title bar).
    // doc outlives the dialog.
    AxisDialog(wxWindow* view, Document& doc, std::function<void()> close);
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
    Document& doc_;
    std::function<void()> close_;
    wxTextCtrl* originEdit_ = nullptr;
    wxCheckBox* startAtOrigin_ = nullptr;
    wxListBox* atomList_ = nullptr;
};

} // namespace kalviro
