#pragma once
// "データを選択": the normal mode the view shows, and the orbital fields.

#include <vector>

#include <wx/wx.h>

#include "document/OrbitalSelection.h"

namespace kalviro {

struct Document;
struct VibrationStore;

class DataSelectionDialog : public wxDialog {
  public:
    // doc outlives the dialog.
    DataSelectionDialog(wxWindow* parent, Document& doc);

    // Appends an entry for mode and selects the first entry (mode shown: its mode).
    void addModeEntry(const std::string& text, int mode);
    void clearModeEntries();
    // Selects mode's entry, when the list has one (another window chose it).
    void showMode(int mode);
    // Writes the document's orbital fields and isosurface value into the five edits.
    void showOrbitalFields();
    std::string orbitalNumberText() const;
    std::string isoValueText() const; // "等値面の値"
    // The orbital number typed in edit 1019, 0 (after a message) when invalid.
    int getOrbitalNumber();

    wxComboBox* modeList() const { return modeList_; }
    wxTextCtrl* orbitalEdit() const { return orbitalEdit_; }
    wxTextCtrl* rangeEdit() const { return rangeEdit_; }
    wxTextCtrl* homoLabelEdit() const { return homoLabelEdit_; }
    wxTextCtrl* homoValueEdit() const { return homoValueEdit_; }
    wxTextCtrl* isoValueEdit() const { return isoValueEdit_; }

  private:
    static constexpr int kWidth = 176; // dialog units
    void onSelect(wxCommandEvent&);
    void placeBesideMainWindow();
    void showOrbitalGroup(bool shown);

    wxWindow* parent_;
    Document& doc_;
    wxComboBox* modeList_ = nullptr;
    wxStaticBox* orbitalBox_ = nullptr;
    wxStaticText* orbitalNumberLabel_ = nullptr;
    wxTextCtrl* orbitalEdit_ = nullptr;
    wxTextCtrl* rangeEdit_ = nullptr;
    wxTextCtrl* homoLabelEdit_ = nullptr;
    wxTextCtrl* homoValueEdit_ = nullptr;
    wxStaticText* isoValueLabel_ = nullptr;
    wxTextCtrl* isoValueEdit_ = nullptr;
    std::vector<int> entryModes_; // mode index of each entry
};

// After an output file was read, or its modes were computed again: one
// entry per mode with a frequency, in place of what the list held.
void fillModeList(DataSelectionDialog& dlg, const VibrationStore& store);
// What closing the dialog forgets besides the window: the selected mode and
// the "MO" group, which a new dialog starts without.
void forgetDataSelection(Document& doc);

} // namespace kalviro
