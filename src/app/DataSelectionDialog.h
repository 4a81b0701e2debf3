#pragma once
// "データを選択": the normal mode the view shows, and the orbital fields.

#include <vector>

#include <wx/wx.h>

#include "document/OrbitalSelection.h"

namespace kalviro {

class DataSelectionDialog : public wxDialog, public OrbitalFieldsView {
  public:
    explicit DataSelectionDialog(wxWindow* parent);

    // Appends an entry for mode and selects the first entry (mode shown: its mode).
    void addModeEntry(const std::string& text, int mode);
    // The orbital fields live in dataSelection(), which the orbital
    // commands also fill when no dialog is open.
    OrbitalFields& orbitalFields() override;
    // Writes the orbital fields into the four edits.
    void showOrbitalFields() override;
    std::string orbitalNumberText() const override;
    // The orbital number typed in edit 1019, 0 (after a message) when invalid.
    int getOrbitalNumber();

    wxComboBox* modeList() const { return modeList_; }
    wxTextCtrl* orbitalEdit() const { return orbitalEdit_; }
    wxTextCtrl* rangeEdit() const { return rangeEdit_; }
    wxTextCtrl* homoLabelEdit() const { return homoLabelEdit_; }
    wxTextCtrl* homoValueEdit() const { return homoValueEdit_; }

  private:
    void onSelect(wxCommandEvent&);

    wxWindow* parent_;
    wxComboBox* modeList_ = nullptr;
    wxTextCtrl* orbitalEdit_ = nullptr;
    wxTextCtrl* rangeEdit_ = nullptr;
    wxTextCtrl* homoLabelEdit_ = nullptr;
    wxTextCtrl* homoValueEdit_ = nullptr;
    std::vector<int> entryModes_; // mode index of each entry
};

// After an output file was read: one entry per mode with a frequency.
void fillModeList(DataSelectionDialog& dlg);
// What closing the dialog forgets besides the window: the selected mode and
// the "MO" group, which a new dialog starts without.
void forgetDataSelection();


} // namespace kalviro
