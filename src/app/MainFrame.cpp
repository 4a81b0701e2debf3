#include "app/MainFrame.h"

#include <wx/display.h>
#include <wx/timer.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <utility>
#ifdef __WXGTK__
#include <dlfcn.h>
#endif
#include <wx/utils.h>

#include "app/AboutDialog.h"
#include "app/AppConfig.h"
#include "app/DialogSupport.h"
#include "app/FrameLayout.h"
#include "app/IsotopeDialog.h"
#include "app/IsotopeDialogLogic.h"
#include "app/MoleculeView.h"
#include "app/ProgramWiring.h"
#include "app/ToolbarImages.h"
#include "document/FileOpening.h"
#include "document/IsotopeChange.h"
#include "document/OrbitalSelection.h"
#include "document/SaveCommands.h"
#include "render/BitmapWriter.h"
#include "render/PngWriter.h"
#include "render/RasterCanvas.h"
#include "render/MovieExport.h"

namespace kalviro {
namespace {

MainFrame* theMainFrame = nullptr;

// The four key indicators after the message pane.
struct Indicator {
    const char* text;
    wxKeyCode key;
};
const Indicator kIndicators[] = {
    {"ｶﾅ", WXK_NONE}, // X has no kana lock to ask about
    {"CAP", WXK_CAPITAL},
    {"NUM", WXK_NUMLOCK},
    {"SCRL", WXK_SCROLL},
};

bool keyIsOn(wxKeyCode key) {
    if (key == WXK_NONE)
        return false;
    // Not every display reports the lock keys; wx answers false then.
    return wxGetKeyState(key);
}

// GTK pads toolbar buttons so much that twenty of them overflow a 600-pixel
// window; buttons of 16-pixel pictures want a tight frame. GTK is already
// loaded by wx, so its style calls are looked up rather than built against.
void compactToolbarButtons() {
#ifdef __WXGTK__
    static bool done = false;
    if (done)
        return;
    done = true;
    using NewProvider = void* (*)();
    using LoadData = int (*)(void*, const char*, long, void**);
    using DefaultScreen = void* (*)();
    using AddProvider = void (*)(void*, void*, unsigned);
    using Unref = void (*)(void*);
    auto newProvider = reinterpret_cast<NewProvider>(dlsym(RTLD_DEFAULT, "gtk_css_provider_new"));
    auto loadData =
        reinterpret_cast<LoadData>(dlsym(RTLD_DEFAULT, "gtk_css_provider_load_from_data"));
    auto screen = reinterpret_cast<DefaultScreen>(dlsym(RTLD_DEFAULT, "gdk_screen_get_default"));
    auto addProvider = reinterpret_cast<AddProvider>(
        dlsym(RTLD_DEFAULT, "gtk_style_context_add_provider_for_screen"));
    auto unref = reinterpret_cast<Unref>(dlsym(RTLD_DEFAULT, "g_object_unref"));
    if (!newProvider || !loadData || !screen || !addProvider || !unref || !screen())
        return;
    void* css = newProvider();
    loadData(css,
             "toolbar { padding: 0px; } toolbar button { padding: 2px; min-width: 0px; "
             "min-height: 0px; } toolbar separator { margin: 0px 2px; }",
             -1, nullptr);
    constexpr unsigned kApplicationPriority = 600; // GTK_STYLE_PROVIDER_PRIORITY_APPLICATION
    addProvider(screen(), css, kApplicationPriority);
    unref(css);
#endif
}

// A picked atom number of a molecule that has since been replaced means nothing.
int validAtom(const Document& doc, int n) {
    return n >= 1 && static_cast<std::uint32_t>(n) <= doc.atomCount() ? n : 0;
}

// Forgets the dialog before destroying it: wx destroys a window later.
template <class D> void destroyDialog(wxWeakRef<D>& ref) {
    D* dlg = ref.get();
    if (!dlg)
        return;
    ref.Release();
    dlg->Destroy();
}

wxPoint framePosition() {
    const wxRect screen = wxDisplay(0u).GetGeometry();
    const FramePlacement p = mainFramePlacement(screen.width, screen.height);
    return wxPoint(screen.x + p.x, screen.y + p.y);
}

} // namespace

MainFrame* mainFrame() {
    return theMainFrame;
}

MainFrame::MainFrame(Document& doc)
    : wxFrame(nullptr, wxID_ANY, kAppTitle, framePosition(), wxSize(600, 600)), document_(doc),
      commands_(std::make_unique<ViewCommandTable>(document_, static_cast<CommandHost&>(*this))) {
    theMainFrame = this;
    SetIcon([] {
        wxIcon icon;
        icon.CopyFromBitmap(applicationImage());
        return icon;
    }());
    buildMenus();
    buildToolBar();
    buildStatusBar();
    view_ = new MoleculeView(this, document_);

    // Every row of the command table, whatever its id: a hand-kept list
    // left new commands' menu items doing nothing.
    for (const ViewCommand& row : commands_->rows()) {
        const int id = menuIdFor(row.id);
        Bind(wxEVT_MENU, &MainFrame::onCommand, this, id);
        Bind(wxEVT_UPDATE_UI, &MainFrame::onUpdate, this, id);
    }
    Bind(wxEVT_MENU, &MainFrame::onRecentFile, this, wxID_FILE1, wxID_FILE4);
    Bind(wxEVT_IDLE, &MainFrame::onIdle, this);
    // The processing menu says why its greyed items are greyed.
    Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& e) {
        e.Skip();
        wxMenuBar* bar = GetMenuBar();
        const int index = bar ? bar->FindMenu(u8("処理")) : wxNOT_FOUND;
        if (index != wxNOT_FOUND && e.GetMenu() == bar->GetMenu(index))
            if (const std::string hint = processingMenuHint(document_); !hint.empty())
                SetStatusText(u8(hint), 0);
    });
    animationTimer_.SetOwner(this);
    Bind(wxEVT_TIMER, &MainFrame::onAnimationTick, this, animationTimer_.GetId());

    // Ctrl+O opens a Gaussian file, Ctrl+S saves the coordinates, Home fits
    // the molecule to the view and Space plays and stops the animation; the
    // empty-document commands and edit keys have nothing to act on.
    wxAcceleratorEntry keys[4];
    keys[0].Set(wxACCEL_CTRL, 'O', menuIdFor(cmd::OpenGaussian));
    keys[1].Set(wxACCEL_CTRL, 'S', menuIdFor(cmd::SaveCoordinates));
    keys[2].Set(wxACCEL_NORMAL, WXK_HOME, menuIdFor(cmd::FitView));
    keys[3].Set(wxACCEL_NORMAL, WXK_SPACE, menuIdFor(cmd::Animate));
    SetAcceleratorTable(wxAcceleratorTable(4, keys));

    recent_.assign(loadRecentFiles());
    rebuildRecentMenu();
    keepOnScreen(this); // a screen smaller than the window would push it off the top
}

MainFrame::~MainFrame() {
    animationTimer_.Stop();
    if (theMainFrame == this)
        theMainFrame = nullptr;
}

void MainFrame::buildMenus() {
    auto* bar = new wxMenuBar;
    for (const MenuPopup& popup : menuLayout()) {
        auto* menu = new wxMenu;
        for (int id : popup.commands) {
            const ViewCommand* c = commands_->find(id);
            if (!c) {
                menu->AppendSeparator();
                continue;
            }
            menu->Append(menuIdFor(id), u8(c->menuText), u8(c->statusLine()),
                         c->checkable ? wxITEM_CHECK : wxITEM_NORMAL);
        }
        if (!fileMenu_)
            fileMenu_ = menu;
        bar->Append(menu, u8(popup.title));
    }
    SetMenuBar(bar);
}

void MainFrame::buildToolBar() {
    compactToolbarButtons();
    wxToolBar* tb = CreateToolBar(wxTB_FLAT | wxTB_HORIZONTAL | wxTB_TOP, wxID_ANY);
    tb->SetToolBitmapSize(wxSize(16, 16));
    for (int id : toolbarLayout()) {
        const ViewCommand* c = commands_->find(id);
        if (!c) {
            tb->AddSeparator();
            continue;
        }
        // The texts have no tooltip part: the status bar shows them.
        tb->AddTool(menuIdFor(id), wxEmptyString, toolbarImage(id), wxNullBitmap,
                    c->checkable ? wxITEM_CHECK : wxITEM_NORMAL, wxEmptyString,
                    u8(c->statusLine()));
    }
    tb->Realize();
}

void MainFrame::buildStatusBar() {
    wxStatusBar* sb = CreateStatusBar(kPaneCount, wxSTB_DEFAULT_STYLE, wxID_ANY);
    const int widths[kPaneCount] = {-1, 36, 36, 36, 40};
    sb->SetStatusWidths(kPaneCount, widths);
    SetStatusText(u8(kIdleText), 0);
}

void MainFrame::rebuildRecentMenu() {
    for (wxMenuItem* item : recentItems_)
        fileMenu_->Destroy(item);
    recentItems_.clear();
    if (recent_.entries().empty())
        return;
    // Above "ｱﾌﾟﾘｹｰｼｮﾝの終了", set off by a separator.
    size_t pos = fileMenu_->GetMenuItemCount() - 1;
    int id = wxID_FILE1;
    int n = 1;
    for (const std::string& path : recent_.entries()) {
        const wxString label = wxString::Format("&%d %s", n++, u8(path));
        recentItems_.push_back(fileMenu_->Insert(pos++, id++, label, u8(path)));
    }
    recentItems_.push_back(fileMenu_->InsertSeparator(pos));
}

void MainFrame::addRecentFile(const std::string& path) {
    recent_.add(path);
    saveRecentFiles(recent_.entries());
    rebuildRecentMenu();
}

void MainFrame::onRecentFile(wxCommandEvent& e) {
    const std::size_t index = static_cast<std::size_t>(e.GetId() - wxID_FILE1);
    if (index >= recent_.entries().size())
        return;
    const std::string path = recent_.entries()[index];
    openFile(path);
}

void MainFrame::openFile(const std::string& path) {
    openFileThroughDispatch(this, path);
}

void MainFrame::onCommand(wxCommandEvent& e) {
    if (!commands_->run(commandForMenuId(e.GetId())))
        e.Skip();
}

void MainFrame::onUpdate(wxUpdateUIEvent& e) {
    const ViewCommand* c = commands_->find(commandForMenuId(e.GetId()));
    if (!c)
        return;
    const CommandState s = c->state ? c->state() : CommandState{};
    e.Enable(s.enabled);
    if (c->checkable)
        e.Check(s.checked);
}

void MainFrame::openGaussianFile() {
    openChosenFile(this, gaussianOpenRequest());
}

void MainFrame::openGamessFile() {
    openChosenFile(this, gamessOpenRequest());
}

void MainFrame::openCheckpointFile() {
    openChosenFile(this, checkpointOpenRequest());
}

void MainFrame::loadVibrationData() {
    if (const auto path = platform().chooseOpenPath(checkpointOpenRequest()))
        pairCheckpointFile(this, *path);
}

void MainFrame::saveCoordinates() {
    askAndSaveCoordinates(document_.molecule);
}

void MainFrame::saveIrTable() {
    askAndSaveIrTable(document_.vibrations);
}

void MainFrame::saveIrTableSorted() {
    askAndSaveIrTableBySymmetry(document_.vibrations);
}

void MainFrame::saveRelativeIntensity() {
    askAndSaveRelativeIntensity(document_.vibrations);
}

void MainFrame::saveIrSpectrum() {
    askAndSaveIrSpectrum(document_.vibrations);
}

void MainFrame::saveImage() {
    // The saved picture shows the molecule at rest, as the saved coordinates do.
    const bool playing = std::exchange(document_.animation.playing, false);
    BitmapWriter().save(*view_, document_);
    document_.animation.playing = playing;
}

void MainFrame::saveAnimation() {
    wxBusyCursor busy;
    askAndSaveAnimation(*view_, document_);
    view_->redraw();
}

void MainFrame::changeIsotopes() {
    IsotopeDialog dlg(this, pickedAtomsText(document_.picked),
                      static_cast<int>(document_.atomCount()));
    answerIsotopeDialog(dlg, dlg.ShowModal());
}

bool MainFrame::answerIsotopeDialog(const IsotopeDialog& dlg, int answer) {
    return answer == wxID_OK && !dlg.changes().empty() && applyIsotopeChanges(dlg.changes());
}

bool MainFrame::applyIsotopeChanges(const std::string& changes) {
    wxBusyCursor busy;
    const std::string file = recent_.entries().empty() ? std::string() : recent_.entries().front();
    const auto status = kalviro::changeIsotopes(document_, changes, file);
    if (!status)
        return false;
    SetStatusText(u8(*status), 0);
    if (dataSelectionDialog_)
        fillModeList(*dataSelectionDialog_, document_.vibrations);
    // The open plot (spectrum or projection) follows the new modes.
    if (previewDialog_)
        previewDialog_->showSpectrum();
    if (spectrumWindow_)
        spectrumWindow_->showSpectrum();
    view_->redraw();
    return true;
}

void MainFrame::onAnimationTick(wxTimerEvent&) {
    Animation& a = document_.animation;
    if (!playingModeVectors(document_)) {
        // A file without modes, or a shorter mode list: back to the still picture.
        a.playing = false;
        a.phase = 0.0;
        animationTimer_.Stop();
        view_->redraw();
        return;
    }
    const wxLongLong now = wxGetLocalTimeMillis();
    const double seconds = (now - lastTick_).ToDouble() / 1000.0;
    lastTick_ = now;
    const double twoPi = 8.0 * std::atan(1.0);
    a.phase = std::fmod(a.phase + twoPi * std::min(seconds, 0.2) / a.periodSeconds, twoPi);
    view_->redraw();
}

void MainFrame::showSpectrumPreview() {
    wxBusyCursor busy;
    if (document_.molecule.viewMode == 0)
        return showSpectrumWindow();
    ensurePreviewDialog().showSpectrum();
}

void MainFrame::showSpectrumWindow() {
    if (!spectrumWindow_) {
        SpectrumWindow::Hooks hooks{
            [this] {
                const auto& files = recent_.entries();
                return files.empty() ? std::string()
                                     : std::filesystem::path(files.front()).filename().string();
            },
            [this](int mode) { selectMode(mode); }, [this] { closeSpectrumWindow(); }};
        auto* w = new SpectrumWindow(view_, document_, std::move(hooks));
        w->Show();
        spectrumWindow_ = w;
    }
    spectrumWindow_->showSpectrum();
    spectrumWindow_->Raise();
}

void MainFrame::measuredSpectraChanged() {
    if (!document_.vibrations.frequencies.empty())
        showSpectrumWindow();
}

void MainFrame::saveShownSpectrum() {
    std::optional<ShownSpectrum> shown;
    // Pictures take the size the window shows the plot at.
    wxSize size(kSavedPlotWidth, kSavedPlotHeight);
    if (spectrumWindow_ && spectrumWindow_->shown()) {
        shown = spectrumWindow_->shown();
        const wxSize panel = spectrumWindow_->plotPanel()->GetClientSize();
        if (panel.x > 0 && panel.y > 0)
            size = panel;
    } else if (auto s = shownSpectrum(document_, document_.spectrum, "")) {
        shown = std::move(*s);
    } else {
        return showMessage(s.error());
    }
    askAndSaveShownSpectrum(
        *shown,
        [](const ShownSpectrum& s, int width, int height) {
            RasterCanvas canvas(width, height);
            drawShownSpectrum(canvas, s);
            return pngBytes(canvas.picture());
        },
        size.x, size.y);
}

void MainFrame::selectMode(int mode) {
    document_.scene.selectedMode = mode;
    if (dataSelectionDialog_)
        dataSelectionDialog_->showMode(mode);
    view_->redraw();
}

void MainFrame::computeOrbital() {
    wxBusyCursor busy;
    DataSelectionDialog& dialog = ensureDataSelectionDialog();
    // A bad isosurface value is told and nothing is computed.
    if (setIsoValue(document_.view, dialog.isoValueText()))
        kalviro::computeOrbital(document_, dialog.orbitalNumberText());
}

void MainFrame::showAxisDialog() {
    if (!axisDialog_) {
        auto* dlg = new AxisDialog(view_, document_, [this] { closeAxisDialog(); });
        dlg->startAtOriginBox()->SetValue(false);
        dlg->Show();
        axisDialog_ = dlg;
    }
    axisDialog_->appendAtomList();
    axisDialog_->Raise();
}

void MainFrame::showRotationDialog() {
    const PickedAtoms& picked = document_.picked;
    if (!rotationDialog_) {
        rotationDialog_ =
            new RotationAngleDialog(view_, document_, [this] { closeRotationDialog(); });
        rotationDialog_->Show();
    }
    rotationDialog_->fill(validAtom(document_, picked.slots[0]),
                          validAtom(document_, picked.slots[1]));
    rotationDialog_->Raise();
}

DataSelectionDialog& MainFrame::ensureDataSelectionDialog() {
    if (!dataSelectionDialog_) {
        auto* dlg = new DataSelectionDialog(view_, document_);
        dlg->modeList()->Clear();
        dlg->Show();
        dataSelectionDialog_ = dlg;
    }
    return *dataSelectionDialog_;
}

SpectrumPreviewDialog& MainFrame::ensurePreviewDialog() {
    if (!previewDialog_) {
        auto* dlg = new SpectrumPreviewDialog(view_, document_, [this] { closePreviewDialog(); });
        dlg->Show();
        previewDialog_ = dlg;
    }
    return *previewDialog_;
}

void MainFrame::closeAxisDialog() {
    destroyDialog(axisDialog_);
}

void MainFrame::closeRotationDialog() {
    destroyDialog(rotationDialog_);
}

void MainFrame::closeDataSelectionDialog() {
    forgetDataSelection(document_);
    destroyDialog(dataSelectionDialog_);
}

void MainFrame::closePreviewDialog() {
    destroyDialog(previewDialog_);
}

void MainFrame::closeSpectrumWindow() {
    destroyDialog(spectrumWindow_);
}

void MainFrame::closeAnalysisDialogs() {
    closeDataSelectionDialog();
    closeAxisDialog();
    closePreviewDialog();
    closeSpectrumWindow();
    closeRotationDialog();
}

void MainFrame::showAbout() {
    AboutDialog about(this);
    about.ShowModal();
}

void MainFrame::exitProgram() {
    Close();
}

void MainFrame::toggleToolBar() {
    GetToolBar()->Show(!GetToolBar()->IsShown());
    SendSizeEvent();
}

bool MainFrame::toolBarShown() const {
    return GetToolBar() && GetToolBar()->IsShown();
}

void MainFrame::toggleStatusBar() {
    GetStatusBar()->Show(!GetStatusBar()->IsShown());
    SendSizeEvent();
}

bool MainFrame::statusBarShown() const {
    return GetStatusBar() && GetStatusBar()->IsShown();
}

void MainFrame::showMeasurement() {
    const std::string text = measurementText(document_.picked, document_.molecule.atoms);
    if (text == shownMeasurement_)
        return;
    shownMeasurement_ = text;
    SetStatusText(u8(text), 0);
}

void MainFrame::onIdle(wxIdleEvent& e) {
    // About 30 frames a second while the animation plays.
    if (document_.animation.playing && !animationTimer_.IsRunning()) {
        lastTick_ = wxGetLocalTimeMillis();
        animationTimer_.Start(33);
    } else if (!document_.animation.playing && animationTimer_.IsRunning()) {
        animationTimer_.Stop();
    }
    if (wxStatusBar* sb = GetStatusBar()) {
        for (int i = 0; i < 4; ++i) {
            const wxString text = keyIsOn(kIndicators[i].key) ? u8(kIndicators[i].text) : "";
            if (sb->GetStatusText(i + 1) != text)
                sb->SetStatusText(text, i + 1);
        }
    }
    e.Skip();
}

} // namespace kalviro
