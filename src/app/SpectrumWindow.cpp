#include "app/SpectrumWindow.h"

#include <algorithm>
#include <cmath>

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>

#include "app/DialogSupport.h"
#include "app/WxCanvas2D.h"
#include "document/Document.h"
#include "ir/SpectrumPreview.h"
#include "model/NumberText.h"
#include "platform/Messages.h"
#include "platform/Platform.h"

namespace kalviro {
namespace {

// The edits in the order of edits_, with the names the messages use.
constexpr int kFields = 10;
constexpr const char* kFieldNames[kFields] = {"開始波数", "終了波数", "刻み",     "半値全幅",
                                              "η",       "係数",     "シフト",   "ラベル数",
                                              "励起光の波数", "温度"};
constexpr int kClickPixels = 6; // how near a click must be to a stick

std::string fieldText(double v) {
    return formatNumber("%.10g", v);
}

} // namespace

SpectrumWindow::SpectrumWindow(wxWindow* parent, Document& doc, Hooks hooks)
    : doc_(doc), hooks_(std::move(hooks)) {
    Create(parent, wxID_ANY, u8("IRスペクトル"), wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX | wxRESIZE_BORDER);
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto row = [&] {
        auto* r = new wxBoxSizer(wxHORIZONTAL);
        top->Add(r, 0, wxLEFT | wxRIGHT | wxTOP, 4);
        return r;
    };
    auto label = [&](wxBoxSizer* r, const char* text) {
        r->Add(new wxStaticText(this, wxID_ANY, u8(text)), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 6);
    };
    auto edit = [&](wxBoxSizer* r, int i, int width) {
        edits_[i] = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(width, -1),
                                   wxTE_PROCESS_ENTER);
        r->Add(edits_[i], 0, wxLEFT, 3);
        edits_[i]->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { apply(); });
    };
    auto* r1 = row();
    label(r1, "範囲 (cm⁻¹)");
    edit(r1, 0, 70);
    label(r1, "〜");
    edit(r1, 1, 70);
    label(r1, "刻み");
    edit(r1, 2, 50);
    r1->Add(new wxButton(this, kFullRangeId, u8("全範囲")), 0, wxLEFT, 6);
    kind_ = new wxChoice(this, wxID_ANY);
    kind_->Append(u8("IR"));
    kind_->Append(u8("ラマン"));
    r1->Add(kind_, 0, wxLEFT, 12);
    view_ = new wxChoice(this, wxID_ANY);
    view_->Append(u8("吸光度"));
    view_->Append(u8("透過率"));
    r1->Add(view_, 0, wxLEFT, 6);

    auto* r2 = row();
    label(r2, "線形");
    shape_ = new wxChoice(this, wxID_ANY);
    for (const char* s : {"ローレンツ", "ガウス", "擬フォークト"})
        shape_->Append(u8(s));
    r2->Add(shape_, 0, wxLEFT, 3);
    label(r2, "半値全幅");
    edit(r2, 3, 50);
    label(r2, "η");
    edit(r2, 4, 40);
    label(r2, "係数");
    edit(r2, 5, 55);
    label(r2, "シフト");
    edit(r2, 6, 50);

    auto* r3 = row();
    sticks_ = new wxCheckBox(this, wxID_ANY, u8("スティック"));
    r3->Add(sticks_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 6);
    label(r3, "ラベル (強い順)");
    edit(r3, 7, 40);
    ramanHeight_ = new wxChoice(this, wxID_ANY);
    ramanHeight_->Append(u8("ラマン強度"));
    ramanHeight_->Append(u8("ラマン活性"));
    r3->Add(ramanHeight_, 0, wxLEFT, 12);
    label(r3, "励起光 (cm⁻¹)");
    edit(r3, 8, 60);
    label(r3, "温度 (K)");
    edit(r3, 9, 50);
    r3->Add(new wxButton(this, kApplyId, u8("再計算")), 0, wxLEFT, 12);
    pointer_ = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxSize(200, -1));
    r3->Add(pointer_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 12);

    plotPanel_ = new wxWindow(this, wxID_ANY, wxDefaultPosition, wxSize(760, 460), wxBORDER_SUNKEN);
    plotPanel_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    top->Add(plotPanel_, 1, wxEXPAND | wxALL, 4);
    SetSizerAndFit(top);
    CentreOnScreen();
    keepOnScreen(this);

    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { apply(); }, kApplyId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { showFullRange(); }, kFullRangeId);
    for (wxChoice* c : {kind_, view_, shape_, ramanHeight_})
        c->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { apply(); });
    sticks_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { apply(); });
    plotPanel_->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(plotPanel_);
        if (plot_.IsOk())
            dc.DrawBitmap(plot_, 0, 0);
        else
            dc.Clear();
    });
    plotPanel_->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        if (shown_)
            repaint();
        e.Skip();
    });
    plotPanel_->Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
        if (!shown_)
            return;
        const SpectrumGrid& g = shown_->broadening.grid;
        const double x = plotWavenumberAt(e.GetX(), plotPanel_->GetClientSize().x, g.from, g.to);
        pointer_->SetLabel(u8("波数 " + formatNumber("%.1f", x) + " cm⁻¹"));
    });
    plotPanel_->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) { clickAt(e.GetX()); });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_ESCAPE)
            Close();
        else
            e.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { hooks_.close(); });
}

void SpectrumWindow::fillFields() {
    const SpectrumWindowState& s = doc_.spectrum;
    const BroadeningSettings b = effectiveBroadening(doc_, s);
    const double values[kFields] = {b.grid.from, b.grid.to, b.grid.step, b.width,
                                    b.eta,       b.factor,  b.shift,     double(s.labelledPeaks),
                                    s.ramanSettings.laserWavenumber, s.ramanSettings.temperature};
    for (int i = 0; i < kFields; ++i)
        edits_[i]->ChangeValue(u8(fieldText(values[i])));
    shape_->SetSelection(static_cast<int>(b.shape));
    kind_->Enable(ramanAvailable(doc_));
    kind_->SetSelection(s.raman && ramanAvailable(doc_) ? 1 : 0);
    ramanHeight_->SetSelection(s.ramanSettings.activities ? 1 : 0);
    // The conversion's fields only while Raman intensities are shown.
    const bool converting = s.raman && ramanAvailable(doc_);
    ramanHeight_->Enable(converting);
    for (int i : {8, 9})
        edits_[i]->Enable(converting && !s.ramanSettings.activities);
    view_->SetSelection(s.transmittance ? 1 : 0);
    sticks_->SetValue(s.sticksShown);
}

std::optional<SpectrumWindowState> SpectrumWindow::fieldSettings() const {
    double v[kFields];
    for (int i = 0; i < kFields; ++i) {
        const auto n = fieldNumber(toU8(edits_[i]->GetValue()));
        if (!n) {
            std::string text = msg::kSpectrumFieldNotNumber;
            showMessage(text.replace(text.find("{field}"), 7, kFieldNames[i]));
            return std::nullopt;
        }
        v[i] = *n;
    }
    SpectrumWindowState s = doc_.spectrum;
    BroadeningSettings& b = s.broadening;
    const BroadeningSettings before = effectiveBroadening(doc_, doc_.spectrum);
    b.grid = {v[0], v[1], v[2]};
    // Typing over the full range's figures makes the range the user's.
    s.rangeSet = s.rangeSet || b.grid.from != before.grid.from || b.grid.to != before.grid.to;
    b.width = v[3];
    b.eta = v[4];
    b.factor = v[5];
    b.shift = v[6];
    b.shape = static_cast<LineShape>(std::max(0, shape_->GetSelection()));
    s.labelledPeaks = static_cast<int>(std::clamp(v[7], 0.0, 50.0));
    s.raman = kind_->GetSelection() == 1;
    s.ramanSettings = {v[8], v[9], ramanHeight_->GetSelection() == 1};
    s.transmittance = view_->GetSelection() == 1;
    s.sticksShown = sticks_->GetValue();
    return s;
}

bool SpectrumWindow::draw(const SpectrumWindowState& state) {
    auto shown = shownSpectrum(doc_, state, hooks_.fileName ? hooks_.fileName() : "");
    if (!shown) {
        showMessage(shown.error());
        return false;
    }
    doc_.spectrum = state;
    shown_ = std::move(*shown);
    SetTitle(u8(shownSpectrumTitle(*shown_)));
    repaint();
    return true;
}

void SpectrumWindow::repaint() {
    const wxSize size = plotPanel_->GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return;
    wxBitmap bitmap(size.x, size.y, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetFont(GetFont());
        WxCanvas2D canvas(dc, size.x, size.y);
        drawShownSpectrum(canvas, *shown_);
    }
    plot_ = bitmap;
    plotPanel_->Refresh(false);
    plotPanel_->Update();
}

void SpectrumWindow::showSpectrum() {
    // "IRスペクトルの保存" keeps writing the fixed grid with a whole width.
    const double w = doc_.spectrum.broadening.width;
    runSpectrumCalculation(doc_.vibrations, 0, std::floor(w) == w && w >= 1 && w < 1e6 ? int(w) : 2);
    doc_.vibrations.spectrumReady = true;
    fillFields();
    draw(doc_.spectrum);
}

bool SpectrumWindow::apply() {
    const auto s = fieldSettings();
    if (!s || !draw(*s))
        return false;
    fillFields();
    return true;
}

void SpectrumWindow::showFullRange() {
    auto s = fieldSettings();
    if (!s)
        return;
    s->rangeSet = false;
    if (draw(*s))
        fillFields();
}

void SpectrumWindow::clickAt(int x) {
    if (!shown_)
        return;
    const SpectrumGrid& g = shown_->broadening.grid;
    const int width = plotPanel_->GetClientSize().x;
    const double at = plotWavenumberAt(x, width, g.from, g.to);
    const double tolerance = std::abs(plotWavenumberAt(x + kClickPixels, width, g.from, g.to) - at);
    if (const auto mode = modeNear(shown_->sticks, shown_->broadening, at, tolerance))
        if (hooks_.selectMode)
            hooks_.selectMode(*mode);
}

} // namespace kalviro
