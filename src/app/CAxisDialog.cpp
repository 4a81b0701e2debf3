#include "app/CAxisDialog.h"

#include "app/AxisDialogLogic.h"
#include "app/DialogSupport.h"
#include "app/DialogTextLogic.h"
#include "model/MoleculeState.h"

namespace kalviro {
namespace {
CAxisDialog* theAxisDialog = nullptr;
constexpr int kInitializeId = 1015;
} // namespace

CAxisDialog::CAxisDialog(wxWindow* view) : view_(view) {
    Create(view, 146, u8("座標軸設定ダイアログ"), wxDefaultPosition, wxDefaultSize, wxCAPTION);
    layoutDialog(this, view, 0, 50, 95, 109);
    auto* set =
        new wxButton(this, wxID_OK, u8("設定"), dluPoint(this, 7, 53), dluSize(this, 27, 14));
    new wxButton(this, wxID_CANCEL, u8("閉じる"), dluPoint(this, 7, 72), dluSize(this, 27, 14));
    new wxStaticText(this, 1009, u8("原点"), dluPoint(this, 7, 7), dluSize(this, 25, 9));
    originEdit_ = new wxTextCtrl(this, 1012, "0", dluPoint(this, 7, 18), dluSize(this, 27, 13));
    new wxButton(this, kInitializeId, u8("初期化"), dluPoint(this, 7, 35), dluSize(this, 27, 14));
    atomList_ = new wxListBox(this, 1016, dluPoint(this, 39, 7), dluSize(this, 49, 78), 0, nullptr,
                              wxLB_SINGLE | wxLB_ALWAYS_SB);
    startAtOrigin_ = new wxCheckBox(this, 1017, u8("始点を原点に設定"), dluPoint(this, 15, 89),
                                    dluSize(this, 66, 13));
    // GTK's box and label can need more than the template's width.
    startAtOrigin_->SetSize(
        wxSize(std::max(startAtOrigin_->GetSize().x, startAtOrigin_->GetBestSize().x), -1));
    set->SetDefault();
    SetEscapeId(wxID_CANCEL);
    Bind(wxEVT_BUTTON, &CAxisDialog::onSet, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CAxisDialog::onInitialize, this, kInitializeId);
    Bind(wxEVT_BUTTON, &CAxisDialog::onClose, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent&) { closeAxisDialog(); });
}

CAxisDialog::~CAxisDialog() {
    // The main window takes its child dialogs along when it closes, without
    // the close function; the pointer must not outlive the window.
    if (theAxisDialog == this)
        theAxisDialog = nullptr;
}

void CAxisDialog::appendAtomList() {
    for (const std::string& line : atomListLines(moleculeState()))
        atomList_->Append(u8(line));
}

void CAxisDialog::onSet(wxCommandEvent&) {
    const std::string shown =
        applyAxisOrigin(toU8(originEdit_->GetValue()), startAtOrigin_->IsChecked());
    if (startAtOrigin_->IsChecked())
        originEdit_->ChangeValue(u8(shown));
    sendRedrawCommand(view_);
}

void CAxisDialog::onInitialize(wxCommandEvent&) {
    resetAxisOrigin();
    sendRedrawCommand(view_);
}

void CAxisDialog::onClose(wxCommandEvent&) {
    closeAxisDialog();
}

CAxisDialog* axisDialog() {
    return theAxisDialog;
}

CAxisDialog* getAxisDialog(wxWindow* view) {
    if (!theAxisDialog) {
        theAxisDialog = new CAxisDialog(view);
        theAxisDialog->startAtOriginBox()->SetValue(false);
        theAxisDialog->Show();
    }
    return theAxisDialog;
}

void OnAxisDialog(wxWindow* view) {
    CAxisDialog* dlg = getAxisDialog(view);
    dlg->appendAtomList();
    dlg->Raise();
}

void closeAxisDialog() {
    if (!theAxisDialog)
        return;
    CAxisDialog* dlg = theAxisDialog;
    theAxisDialog = nullptr;
    dlg->Destroy();
}

} // namespace kalviro
