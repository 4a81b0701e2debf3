#include "app/RotationAngleDialog.h"

#include "app/DialogSupport.h"
#include "app/DialogTextLogic.h"
#include "app/RotationAngleLogic.h"
#include "document/Document.h"

namespace kalviro {

RotationAngleDialog::RotationAngleDialog(wxWindow* view, Document& doc,
                                         std::function<void()> close)
    : view_(view), doc_(doc), close_(std::move(close)) {
    Create(view, 153, u8("回転角度の設定"), wxDefaultPosition, wxDefaultSize, wxCAPTION);
    layoutDialog(this, view, 0, 50, 97, 153);
    auto* ok = new wxButton(this, wxID_OK, "OK", dluPoint(this, 7, 132), dluSize(this, 38, 14));
    new wxButton(this, wxID_CANCEL, u8("ｷｬﾝｾﾙ"), dluPoint(this, 52, 132), dluSize(this, 38, 14));
    atomList_ = new wxListBox(this, 1028, dluPoint(this, 7, 7), dluSize(this, 83, 94), 0, nullptr,
                              wxLB_SINGLE | wxLB_ALWAYS_SB);
    const long label = wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE | wxBORDER_SUNKEN;
    new wxStaticText(this, 1029, u8("1つ目の原子"), dluPoint(this, 7, 104), dluSize(this, 45, 11),
                     label);
    new wxStaticText(this, 1030, u8("2つ目の原子"), dluPoint(this, 7, 118), dluSize(this, 45, 10),
                     label);
    firstEdit_ =
        new wxTextCtrl(this, 1031, "", dluPoint(this, 55, 103), dluSize(this, 35, 12), wxTE_CENTRE);
    secondEdit_ =
        new wxTextCtrl(this, 1032, "", dluPoint(this, 55, 117), dluSize(this, 35, 12), wxTE_CENTRE);
    ok->SetDefault();
    SetEscapeId(wxID_CANCEL);
    Bind(wxEVT_BUTTON, &RotationAngleDialog::onOk, this, wxID_OK);
    Bind(wxEVT_BUTTON, &RotationAngleDialog::onCancel, this, wxID_CANCEL);
}

void RotationAngleDialog::fill(int firstAtom, int secondAtom) {
    firstEdit_->ChangeValue(wxString::Format("%d", firstAtom));
    secondEdit_->ChangeValue(wxString::Format("%d", secondAtom));
    atomList_->Clear();
    for (const std::string& line : atomListLines(doc_.molecule))
        atomList_->Append(u8(line));
}

void RotationAngleDialog::onOk(wxCommandEvent&) {
    applyRotationAtoms(doc_.molecule, toU8(firstEdit_->GetValue()),
                       toU8(secondEdit_->GetValue()));
    closeAndRedraw();
}

void RotationAngleDialog::onCancel(wxCommandEvent&) {
    closeAndRedraw();
}

// The view draws again: with the new angles after a valid OK, in the reset
// orientation otherwise.
void RotationAngleDialog::closeAndRedraw() {
    wxWindow* view = view_;
    close_();
    sendRedrawCommand(view);
}

} // namespace kalviro
