#pragma once
// "相対強度の表示(プレビュー)": the plot of the latest spectrum calculation and
// the half width the broadening uses.

#include <functional>

#include <wx/wx.h>

#include "ir/SpectrumPreview.h"

namespace kalviro {

class Canvas2D;
struct Document;

class SpectrumPreviewDialog : public wxDialog {
  public:
    // close is the owner's way of closing it (Escape, the title bar).
    // The curves are computed into doc, which outlives the dialog.
    SpectrumPreviewDialog(wxWindow* parent, Document& doc, std::function<void()> close);

    // A calculation command: calculates with the current half width, plots,
    // and marks the spectrum ready for saving.
    void showSpectrum();
    // "再計算": the edit's text becomes the half width, then calculate and plot.
    void OnRecalculate();

    int halfWidth() const { return preview_.halfWidth(); }
    wxTextCtrl* halfWidthEdit() const { return halfWidthEdit_; }
    wxWindow* plotFrame() const { return plotFrame_; }
    // The plot as last drawn (what the frame shows).
    const wxBitmap& plot() const { return plot_; }

  private:
    // Runs draw on a fresh bitmap the size of the frame and shows it, unless
    // draw refused (returned false).
    void paintPlot(const std::function<bool(Canvas2D&)>& draw);

    SpectrumPreview preview_;
    wxWindow* plotFrame_ = nullptr;
    wxTextCtrl* halfWidthEdit_ = nullptr;
    wxBitmap plot_;
    std::function<void()> close_;
};

} // namespace kalviro
