#pragma once
// "スペクトル": the computed IR or Raman spectrum over any range and with any
// line shape, sticks and labelled peaks, measured spectra over it. A click
// near a peak selects its mode; the pointer's wavenumber shows below.

#include <functional>
#include <optional>

#include <wx/wx.h>

#include "document/SpectrumWindowState.h"

namespace kalviro {

struct Document;

class SpectrumWindow : public wxDialog {
  public:
    struct Hooks {
        std::function<std::string()> fileName; // the open file's name, for title and legend
        std::function<void(int)> selectMode;   // a click chose this mode
        std::function<void()> close;           // the owner's way of closing it
    };
    // doc outlives the window.
    SpectrumWindow(wxWindow* parent, Document& doc, Hooks hooks);

    // The command: fields from the document's settings, the old fixed-grid
    // spectrum for "IRスペクトルの保存", then the plot.
    void showSpectrum();
    // "再計算": the fields become the settings and the plot is drawn; a bad
    // value is refused with a message and the last plot stays.
    bool apply();
    // "全範囲": back to the range that holds every mode.
    void showFullRange();
    // A click at pixel column x of the plot.
    void clickAt(int x);

    const std::optional<ShownSpectrum>& shown() const { return shown_; }
    const wxBitmap& plot() const { return plot_; }
    wxWindow* plotPanel() const { return plotPanel_; }
    wxStaticText* pointerLabel() const { return pointer_; }
    wxTextCtrl* fromEdit() const { return edits_[0]; }
    wxTextCtrl* toEdit() const { return edits_[1]; }
    wxTextCtrl* stepEdit() const { return edits_[2]; }
    wxTextCtrl* widthEdit() const { return edits_[3]; }
    wxTextCtrl* laserEdit() const { return edits_[8]; }
    wxChoice* ramanHeightChoice() const { return ramanHeight_; }
    wxChoice* shapeChoice() const { return shape_; }
    wxChoice* kindChoice() const { return kind_; }
    wxCheckBox* sticksBox() const { return sticks_; }

    static constexpr int kApplyId = 1101;
    static constexpr int kFullRangeId = 1102;

  private:
    void fillFields();
    // The fields as settings, or nothing after a message naming the bad one.
    std::optional<SpectrumWindowState> fieldSettings() const;
    bool draw(const SpectrumWindowState& state);
    void repaint();

    Document& doc_;
    Hooks hooks_;
    // from, to, step, width, eta, factor, shift, labels, laser, temperature
    wxTextCtrl* edits_[10] = {};
    wxChoice* shape_ = nullptr;
    wxChoice* kind_ = nullptr;
    wxChoice* ramanHeight_ = nullptr; // Raman intensities or activities
    wxChoice* view_ = nullptr;
    wxCheckBox* sticks_ = nullptr;
    wxWindow* plotPanel_ = nullptr;
    wxStaticText* pointer_ = nullptr;
    std::optional<ShownSpectrum> shown_;
    wxBitmap plot_;
};

} // namespace kalviro
