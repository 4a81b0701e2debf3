#include "app/SpectrumPreviewDialog.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>

#include "app/DialogSupport.h"
#include "app/WxCanvas2D.h"
#include "document/Document.h"

namespace kalviro {
namespace {
constexpr int kRecalculateId = 1027;
} // namespace

SpectrumPreviewDialog::SpectrumPreviewDialog(wxWindow* parent, Document& doc,
                                             std::function<void()> close)
    : preview_(doc.vibrations, doc.molecule.viewMode), close_(std::move(close)) {
    Create(parent, 150, u8("相対強度の表示(プレビュー)"), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX);
    layoutDialog(this, parent, 0, 0, 410, 398);
    // The template's font: its dialog units place the controls.
    SetFont(dialogMinchoFont());
    SetClientSize(dluSize(this, 410, 398));
    plotFrame_ =
        new wxWindow(this, 1018, dluPoint(this, 6, 7), dluSize(this, 396, 369), wxBORDER_SUNKEN);
    plotFrame_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    new wxStaticText(this, 1025, u8("半値幅"), dluPoint(this, 82, 379), dluSize(this, 76, 12),
                     wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE | wxBORDER_SUNKEN);
    halfWidthEdit_ = new wxTextCtrl(this, 1026, u8(preview_.halfWidthText()),
                                    dluPoint(this, 167, 379), dluSize(this, 74, 12));
    new wxButton(this, kRecalculateId, u8("再計算"), dluPoint(this, 250, 379),
                 dluSize(this, 44, 12));
    CentreOnScreen();
    keepOnScreen(this);

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnRecalculate(); }, kRecalculateId);
    // The plot survives being covered: the frame shows the last bitmap.
    plotFrame_->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(plotFrame_);
        if (plot_.IsOk())
            dc.DrawBitmap(plot_, 0, 0);
        else
            dc.Clear();
    });
    // Escape closes it as the title bar's close box does.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_ESCAPE)
            Close();
        else
            e.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { close_(); });
}

void SpectrumPreviewDialog::paintPlot(const std::function<bool(Canvas2D&)>& draw) {
    const wxSize size = plotFrame_->GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return;
    wxBitmap bitmap(size.x, size.y, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetFont(GetFont());
        WxCanvas2D canvas(dc, size.x, size.y);
        if (!draw(canvas))
            return; // refused: the last plot stays
    }
    plot_ = bitmap;
    plotFrame_->Refresh(false);
    plotFrame_->Update();
}

void SpectrumPreviewDialog::showSpectrum() {
    paintPlot([this](Canvas2D& canvas) {
        preview_.show(canvas);
        return true;
    });
}

void SpectrumPreviewDialog::OnRecalculate() {
    const std::string text = toU8(halfWidthEdit_->GetValue());
    paintPlot([this, &text](Canvas2D& canvas) { return preview_.OnRecalculate(text, canvas); });
}

} // namespace kalviro
