#include "app/AxisDialog.h"

#include "app/AxisDialogLogic.h"
#include "app/DialogSupport.h"
#include "app/DialogTextLogic.h"
#include "document/Document.h"

namespace kalviro {
namespace {
// The template's control ids, kept so the controls can be found by id.
constexpr int kDialogId = 146;
constexpr int kOriginLabelId = 1009;
constexpr int kOriginEditId = 1012;
constexpr int kInitializeId = 1015;
constexpr int kAtomListId = 1016;
constexpr int kStartAtOriginId = 1017;
} // namespace

AxisDialog::AxisDialog(wxWindow* view, Document& doc, std::function<void()> close)
    : view_(view), doc_(doc), close_(std::move(close)) {
    Create(view, kDialogId, u8("座標軸設定ダイアログ"), wxDefaultPosition, wxDefaultSize, wxCAPTION);
    layoutDialog(this, view, 0, 50, 95, 109);
    auto* set =
        new wxButton(this, wxID_OK, u8("設定"), dluPoint(this, 7, 53), dluSize(this, 27, 14));
    new wxButton(this, wxID_CANCEL, u8("閉じる"), dluPoint(this, 7, 72), dluSize(this, 27, 14));
    new wxStaticText(this, kOriginLabelId, u8("原点"), dluPoint(this, 7, 7), dluSize(this, 25, 9));
    originEdit_ = new wxTextCtrl(this, kOriginEditId, "0", dluPoint(this, 7, 18), dluSize(this, 27, 13));
    new wxButton(this, kInitializeId, u8("初期化"), dluPoint(this, 7, 35), dluSize(this, 27, 14));
    atomList_ = new wxListBox(this, kAtomListId, dluPoint(this, 39, 7), dluSize(this, 49, 78), 0, nullptr,
                              wxLB_SINGLE | wxLB_ALWAYS_SB);
    startAtOrigin_ = new wxCheckBox(this, kStartAtOriginId, u8("始点を原点に設定"), dluPoint(this, 15, 89),
                                    dluSize(this, 66, 13));
    // GTK's box and label can need more than the template's width.
    startAtOrigin_->SetSize(
        wxSize(std::max(startAtOrigin_->GetSize().x, startAtOrigin_->GetBestSize().x), -1));
    set->SetDefault();
    SetEscapeId(wxID_CANCEL);
    Bind(wxEVT_BUTTON, &AxisDialog::onSet, this, wxID_OK);
    Bind(wxEVT_BUTTON, &AxisDialog::onInitialize, this, kInitializeId);
    Bind(wxEVT_BUTTON, &AxisDialog::onClose, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { close_(); });
}

void AxisDialog::appendAtomList() {
    for (const std::string& line : atomListLines(doc_.molecule))
        atomList_->Append(u8(line));
}

void AxisDialog::onSet(wxCommandEvent&) {
    const std::string shown =
        applyAxisOrigin(doc_.scene.dipoleOrigin, toU8(originEdit_->GetValue()),
                        startAtOrigin_->IsChecked());
    if (startAtOrigin_->IsChecked())
        originEdit_->ChangeValue(u8(shown));
    sendRedrawCommand(view_);
}

void AxisDialog::onInitialize(wxCommandEvent&) {
    resetAxisOrigin(doc_.scene.dipoleOrigin);
    sendRedrawCommand(view_);
}

void AxisDialog::onClose(wxCommandEvent&) {
    close_();
}

} // namespace kalviro
