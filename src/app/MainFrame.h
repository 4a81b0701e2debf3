#pragma once
// The main window: menus, toolbar and status bar built from the command
// table, the 3D view, and the modeless dialogs it owns.

#include <memory>
#include <string>
#include <vector>

#include <wx/timer.h>
#include <wx/weakref.h>
#include <wx/wx.h>

#include "app/AxisDialog.h"
#include "app/DataSelectionDialog.h"
#include "app/RecentFilesLogic.h"
#include "app/RotationAngleDialog.h"
#include "app/SpectrumPreviewDialog.h"
#include "app/SpectrumWindow.h"
#include "document/Document.h"
#include "render/ViewCommands.h"

namespace kalviro {

class IsotopeDialog;
class MoleculeView;

class MainFrame : public wxFrame, private CommandHost {
  public:
    // doc is the document the window shows and its commands act on; it
    // outlives the window.
    explicit MainFrame(Document& doc);
    ~MainFrame() override;

    // The open file and what was made of it; the view, the dialogs and the
    // commands act on it.
    Document& document() { return document_; }
    MoleculeView* view() const { return view_; }
    const ViewCommandTable& commands() const { return *commands_; }

    // Puts path at the top of the recent-file list, in the menu and on disk.
    void addRecentFile(const std::string& path);
    const RecentFiles& recentFiles() const { return recent_; }
    // Opens path by its extension, as the open commands do (the command
    // line, the recent files, a second start).
    void openFile(const std::string& path);

    // The modeless dialogs, null while closed. The frame makes each on first
    // use and closes it; wx takes any still open along with the frame.
    AxisDialog* axisDialog() const { return axisDialog_.get(); }
    RotationAngleDialog* rotationDialog() const { return rotationDialog_.get(); }
    DataSelectionDialog* dataSelectionDialog() const { return dataSelectionDialog_.get(); }
    SpectrumPreviewDialog* previewDialog() const { return previewDialog_.get(); }
    SpectrumWindow* spectrumWindow() const { return spectrumWindow_.get(); }
    // Made (shown, list emptied) on first use.
    DataSelectionDialog& ensureDataSelectionDialog();
    // Made (shown, half width 2) on first use.
    SpectrumPreviewDialog& ensurePreviewDialog();
    // Each closes its dialog if open. Closing the data selection also forgets
    // the selected mode and the "MO" group.
    void closeAxisDialog();
    void closeRotationDialog();
    void closeDataSelectionDialog();
    void closePreviewDialog();
    void closeSpectrumWindow();
    // The mode a click in the spectrum window chose: in the mode list and the view.
    void selectMode(int mode);
    // What the reset before a new file closes: data selection, axis,
    // preview and rotation dialogs, in that order.
    void closeAnalysisDialogs();

    // Applies an isotope change list ("3=2H,4=2H") as the dialog's OK does:
    // modes, mode list, spectrum and projection again, status bar; false
    // (message shown) when it changed nothing.
    bool applyIsotopeChanges(const std::string& changes);
    // What the isotope dialog's answer (wxID_OK, wxID_CANCEL) does: OK
    // applies the change list its fields gave.
    bool answerIsotopeDialog(const IsotopeDialog& dlg, int answer);

    // The measurement of the picked atoms in the message pane; a pane that
    // showed one is emptied when the picks no longer measure anything.
    void showMeasurement();

    // Status bar panes: the message and the four key indicators.
    static constexpr int kPaneCount = 5;

  private:
    // What the command table asks of the window.
    void openGaussianFile() override;
    void openGamessFile() override;
    void openCheckpointFile() override;
    void loadVibrationData() override;
    void saveCoordinates() override;
    void saveIrTable() override;
    void saveIrTableSorted() override;
    void saveRelativeIntensity() override;
    void saveIrSpectrum() override;
    void saveImage() override;
    void saveAnimation() override;
    void changeIsotopes() override;
    void showSpectrumPreview() override;
    void measuredSpectraChanged() override;
    void saveShownSpectrum() override;
    // Made on first use, then filled and drawn, and brought to the front.
    void showSpectrumWindow();
    void computeOrbital() override;
    void showAxisDialog() override;
    void showRotationDialog() override;
    void showAbout() override;
    void exitProgram() override;
    void toggleToolBar() override;
    bool toolBarShown() const override;
    void toggleStatusBar() override;
    bool statusBarShown() const override;

    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void rebuildRecentMenu();
    void onCommand(wxCommandEvent& e);
    void onUpdate(wxUpdateUIEvent& e);
    void onRecentFile(wxCommandEvent& e);
    void onIdle(wxIdleEvent& e);
    // Advances the animation's phase by the time since the last tick, or
    // stops it when the selected mode went away.
    void onAnimationTick(wxTimerEvent& e);

    Document& document_;
    std::unique_ptr<ViewCommandTable> commands_;
    MoleculeView* view_ = nullptr;
    wxMenu* fileMenu_ = nullptr;
    RecentFiles recent_;
    std::vector<wxMenuItem*> recentItems_;
    std::string shownMeasurement_;
    wxWeakRef<AxisDialog> axisDialog_;
    wxWeakRef<RotationAngleDialog> rotationDialog_;
    wxWeakRef<DataSelectionDialog> dataSelectionDialog_;
    wxWeakRef<SpectrumPreviewDialog> previewDialog_;
    wxWeakRef<SpectrumWindow> spectrumWindow_;
    wxTimer animationTimer_;
    wxLongLong lastTick_ = 0;
};

// The running main frame, or null.
MainFrame* mainFrame();

} // namespace kalviro
