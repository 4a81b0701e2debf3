#pragma once
// "同位体の質量を変更": atom numbers and the isotope or mass they take. OK
// checks the entries and stays open on a bad one; the owner applies them.

#include <string>

#include <wx/wx.h>

namespace kalviro {

class IsotopeDialog : public wxDialog {
  public:
    // atoms prefills the atom numbers (the picked atoms); atomCount bounds them.
    IsotopeDialog(wxWindow* parent, const std::string& atoms, int atomCount);

    // After OK: the change list, "3=2H,4=2H".
    const std::string& changes() const { return changes_; }
    wxTextCtrl* atomsEdit() const { return atomsEdit_; }
    wxTextCtrl* isotopeEdit() const { return isotopeEdit_; }
    // What OK does before the dialog closes: the fields checked and turned
    // into changes(); false (message shown) on a bad entry.
    bool acceptFields();

  private:
    void onOk(wxCommandEvent&);

    int atomCount_;
    std::string changes_;
    wxTextCtrl* atomsEdit_ = nullptr;
    wxTextCtrl* isotopeEdit_ = nullptr;
};

} // namespace kalviro
