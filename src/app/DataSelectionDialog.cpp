#include "app/DataSelectionDialog.h"

#include "app/DataSelectLogic.h"
#include "app/DialogSupport.h"
#include "app/DialogTextLogic.h"
#include "document/Document.h"
#include "render/ViewCommands.h"

namespace kalviro {
DataSelectionDialog::DataSelectionDialog(wxWindow* parent, Document& doc)
    : parent_(parent), doc_(doc) {
    Create(parent, 154, u8("データを選択"), wxDefaultPosition, wxDefaultSize, wxCAPTION);
    SetFont(dialogFont());
    // Wide enough for "3231.9390 cm-1 ( B2 , 135.8960 )".
    modeList_ = new wxComboBox(this, 1033, "", dluPoint(this, 7, 7),
                               wxSize(dluSize(this, kWidth - 14, 12).x, -1), 0, nullptr,
                               wxCB_DROPDOWN);
    orbitalBox_ = new wxStaticBox(this, 1035, u8("MO (分子軌道)"), dluPoint(this, 7, 27),
                                  dluSize(this, kWidth - 14, 70));
    orbitalNumberLabel_ = new wxStaticText(this, wxID_ANY, u8("軌道番号"), dluPoint(this, 14, 41),
                                           dluSize(this, 40, 10));
    orbitalEdit_ =
        new wxTextCtrl(this, 1019, "0", dluPoint(this, 58, 38), dluSize(this, 36, 14), wxTE_CENTRE);
    rangeEdit_ = new wxTextCtrl(this, 1024, "", dluPoint(this, 99, 38), dluSize(this, 50, 13),
                                wxTE_READONLY);
    homoLabelEdit_ = new wxTextCtrl(this, 1036, "", dluPoint(this, 14, 58), dluSize(this, 40, 12),
                                    wxTE_READONLY);
    homoValueEdit_ = new wxTextCtrl(this, 1021, "0", dluPoint(this, 58, 58), dluSize(this, 36, 12),
                                    wxTE_READONLY | wxTE_CENTRE);
    isoValueLabel_ = new wxStaticText(this, wxID_ANY, u8("等値面の値"), dluPoint(this, 14, 79),
                                      dluSize(this, 40, 10));
    isoValueEdit_ = new wxTextCtrl(this, wxID_ANY, "0.05", dluPoint(this, 58, 76),
                                   dluSize(this, 36, 14), wxTE_CENTRE);
    showOrbitalGroup(false);
    placeBesideMainWindow();
    modeList_->Bind(wxEVT_COMBOBOX, &DataSelectionDialog::onSelect, this);
    // It has no cancel button, and Escape must not hide it: the view reads it.
    SetEscapeId(wxID_NONE);
    // Closing by the window manager only hides it: the view still reads it.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Hide(); });
}

void DataSelectionDialog::addModeEntry(const std::string& text, int mode) {
    modeList_->Append(u8(text));
    entryModes_.push_back(mode);
    modeList_->ChangeValue(modeList_->GetString(0));
    modeList_->SetSelection(0);
    doc_.scene.selectedMode = entryModes_.front();
}

void DataSelectionDialog::clearModeEntries() {
    modeList_->Clear();
    entryModes_.clear();
}

void DataSelectionDialog::showMode(int mode) {
    for (std::size_t i = 0; i < entryModes_.size(); ++i)
        if (entryModes_[i] == mode)
            modeList_->SetSelection(static_cast<int>(i));
}

// Beside the main window, not over the view; the screen's edge moves it
// back when there is no room.
void DataSelectionDialog::placeBesideMainWindow() {
    const wxWindow* top = parent_ ? wxGetTopLevelParent(parent_) : nullptr;
    if (top) {
        const wxRect r = top->GetScreenRect();
        Move(r.GetRight() + 8, r.GetTop());
    }
    keepOnScreen(this);
}

// The "MO" group only once a checkpoint file gave an orbital.
void DataSelectionDialog::showOrbitalGroup(bool shown) {
    for (wxWindow* w : std::initializer_list<wxWindow*>{orbitalBox_, orbitalNumberLabel_,
                                                        orbitalEdit_, rangeEdit_, homoLabelEdit_,
                                                        homoValueEdit_, isoValueLabel_,
                                                        isoValueEdit_})
        w->Show(shown);
    SetClientSize(dluSize(this, kWidth, shown ? 104 : 28));
}

void DataSelectionDialog::showOrbitalFields() {
    showOrbitalGroup(true);
    const OrbitalFields& d = doc_.orbitalFields;
    orbitalEdit_->ChangeValue(wxString::Format("%d", d.orbitalNumber));
    homoValueEdit_->ChangeValue(wxString::Format("%d", d.homoValue));
    homoLabelEdit_->ChangeValue(u8(d.homoLabel));
    rangeEdit_->ChangeValue(u8(d.orbitalRange));
    isoValueEdit_->ChangeValue(wxString::FromCDouble(doc_.view.isoValue));
}

std::string DataSelectionDialog::orbitalNumberText() const {
    return toU8(orbitalEdit_->GetValue());
}

std::string DataSelectionDialog::isoValueText() const {
    return toU8(isoValueEdit_->GetValue());
}

int DataSelectionDialog::getOrbitalNumber() {
    return kalviro::getOrbitalNumber(doc_.orbitalFields, orbitalNumberText());
}

void DataSelectionDialog::onSelect(wxCommandEvent&) {
    const int entry = modeList_->GetSelection();
    if (entry < 0 || entry >= static_cast<int>(entryModes_.size()))
        return;
    doc_.scene.selectedMode = entryModes_[entry];
    sendRedrawCommand(parent_);
}

void fillModeList(DataSelectionDialog& dlg, const VibrationStore& store) {
    dlg.Show(); // back if the user closed it
    dlg.clearModeEntries();
    for (const ModeEntry& e : modeEntries(store))
        dlg.addModeEntry(e.text, e.mode);
}

void forgetDataSelection(Document& doc) {
    doc.scene.selectedMode = 0;
    doc.orbitalFields = OrbitalFields(); // a new dialog starts with an empty "MO" group
}

} // namespace kalviro
