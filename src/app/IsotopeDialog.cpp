#include "app/IsotopeDialog.h"

#include "app/DialogSupport.h"
#include "app/IsotopeDialogLogic.h"
#include "platform/Platform.h"

namespace kalviro {

IsotopeDialog::IsotopeDialog(wxWindow* parent, const std::string& atoms, int atomCount)
    : wxDialog(parent, wxID_ANY, u8("同位体の質量を変更")), atomCount_(atomCount) {
    SetFont(dialogFont());
    auto* grid = new wxFlexGridSizer(2, wxSize(8, 6));
    grid->AddGrowableCol(1);
    grid->Add(new wxStaticText(this, wxID_ANY, u8("原子番号 (例: 3, 5-7)")), 0,
              wxALIGN_CENTRE_VERTICAL);
    atomsEdit_ = new wxTextCtrl(this, wxID_ANY, u8(atoms), wxDefaultPosition, wxSize(160, -1));
    grid->Add(atomsEdit_, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, u8("同位体 (2H, D, 13C …) または質量 (amu)")), 0,
              wxALIGN_CENTRE_VERTICAL);
    isotopeEdit_ = new wxTextCtrl(this, wxID_ANY, "2H");
    grid->Add(isotopeEdit_, 1, wxEXPAND);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    buttons->Add(ok, 0, wxRIGHT, 8);
    buttons->Add(new wxButton(this, wxID_CANCEL, u8("キャンセル")));
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, 0, wxALL | wxEXPAND, 10);
    top->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 10);
    SetSizerAndFit(top);
    ok->SetDefault();
    SetEscapeId(wxID_CANCEL);
    Bind(wxEVT_BUTTON, &IsotopeDialog::onOk, this, wxID_OK);
    CentreOnParent();
}

bool IsotopeDialog::acceptFields() {
    auto list = isotopeChangeList(toU8(atomsEdit_->GetValue()), toU8(isotopeEdit_->GetValue()),
                                  atomCount_);
    if (!list) {
        showMessage(list.error());
        return false;
    }
    changes_ = *list;
    return true;
}

void IsotopeDialog::onOk(wxCommandEvent&) {
    if (acceptFields())
        EndModal(wxID_OK);
}

} // namespace kalviro
