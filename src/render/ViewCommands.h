#pragma once
// The commands of the menus and the toolbar as one table: id, menu text,
// status text, enable/check rule and action, without any window. What needs
// a window (dialogs, file choosers, the frame's bars) goes through the
// CommandHost the program hands in.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kalviro {

struct Document;

namespace cmd {
// The view's own commands.
constexpr int Redraw = 32779;
constexpr int RotateXPlus = 32780;
constexpr int RotateYPlus = 32781;
constexpr int RotateZPlus = 32782;
constexpr int LoadData = 32783;
constexpr int ShowModes = 32786;
constexpr int ShowDipole = 32789;
constexpr int ResetCoordinates = 32791;
constexpr int SaveImageButton = 32792;
constexpr int RotateXMinus = 32799;
constexpr int RotateYMinus = 32800;
constexpr int RotateZMinus = 32801;
constexpr int ShowAxes = 32802;
constexpr int AxisDialog = 32805;
constexpr int SaveImage = 32806;
constexpr int StyleSolid = 32808;
constexpr int StyleBlendAll = 32810;
constexpr int HydrogenVectors = 32812;
constexpr int PanMode = 32813;
constexpr int VectorLonger = 32814;
constexpr int VectorShorter = 32815;
constexpr int Background = 32816;
constexpr int AtomsSolid = 32820;
constexpr int AtomsShown = 32822;
constexpr int InvertVectors = 32824;
constexpr int ShowNumbers = 32826;
constexpr int ZoomIn = 32828;
constexpr int ZoomOut = 32829;
constexpr int CovalentRadius = 32831;
constexpr int RotationButtons = 32836;
constexpr int ShowAngles = 32839;
constexpr int ShowSpectrum = 32840;
constexpr int OpenCheckpoint = 32845;
constexpr int ShowSurface = 32846;
constexpr int ProjectionGreen = 32849;
constexpr int ProjectionBlue = 32850;
constexpr int SetRotationAngle = 32852;
constexpr int Viewpoint = 32855;
constexpr int ComputeOrbital = 32856;
constexpr int ShowOrbital = 32857;
constexpr int ShowIsosurfaces = 32893;
constexpr int StyleBlendBond = 32858;
constexpr int OpenGaussian = 32860;
// The selected mode in motion.
constexpr int Animate = 32841;
constexpr int SaveAnimation = 32842;
constexpr int AnimationFaster = 32843;
constexpr int AnimationSlower = 32844;
constexpr int AmplitudeLarger = 32847;
constexpr int AmplitudeSmaller = 32832;
constexpr int ScaledArrows = 32833;
constexpr int FitView = 32880;
constexpr int ViewAlongX = 32881;
constexpr int ViewAlongY = 32882;
constexpr int ViewAlongZ = 32883;
constexpr int LoadVibrationData = 32870;
constexpr int ChangeIsotopes = 32871;
constexpr int OverlayMeasured = 32890;
constexpr int ClearMeasured = 32891;
constexpr int SaveShownSpectrum = 32892;
// File commands of the document.
constexpr int SaveIrTable = 32838;
constexpr int SaveRelativeIntensity = 32848;
constexpr int SaveIrSpectrum = 32853;
constexpr int SaveIrTableSorted = 32854;
constexpr int OpenGamess = 32859;
constexpr int SaveCoordinates = 57604;
// Commands of the application and its frame.
constexpr int About = 57664;
constexpr int Exit = 57665;
constexpr int ToggleToolBar = 59392;
constexpr int ToggleStatusBar = 59393;
} // namespace cmd

// What the commands that need the program's windows ask of them: file
// choosers, dialogs, the frame's bars. The program hands one in when it
// builds the table.
class CommandHost {
  public:
    virtual ~CommandHost() = default;
    virtual void openGaussianFile() = 0;
    virtual void openGamessFile() = 0;
    virtual void openCheckpointFile() = 0;
    // Adds a chosen checkpoint file's dipole derivatives to the open output.
    virtual void loadVibrationData() = 0;
    virtual void saveCoordinates() = 0;
    virtual void saveIrTable() = 0;
    virtual void saveIrTableSorted() = 0;
    virtual void saveRelativeIntensity() = 0;
    virtual void saveIrSpectrum() = 0;
    virtual void saveImage() = 0;
    // "アニメーションの保存": the selected mode as a movie.
    virtual void saveAnimation() {}
    // "同位体の質量を変更...": asks for atoms and masses, computes the modes again.
    virtual void changeIsotopes() {}
    // After viewMode is set.
    virtual void showSpectrumPreview() = 0;
    // The measured spectra changed: the spectrum window shows them.
    virtual void measuredSpectraChanged() {}
    // "表示中のスペクトルを保存": the spectrum window's curve as shown.
    virtual void saveShownSpectrum() {}
    // Before the view is reset.
    virtual void computeOrbital() = 0;
    // When it may open: a molecule is loaded and the menu was refreshed.
    virtual void showAxisDialog() = 0;
    // After the view is reset.
    virtual void showRotationDialog() = 0;
    virtual void showAbout() = 0;
    virtual void exitProgram() = 0;
    virtual void toggleToolBar() = 0;
    virtual bool toolBarShown() const = 0;
    virtual void toggleStatusBar() = 0;
    virtual bool statusBarShown() const = 0;
};

// How a menu item or toolbar button looks after its update rule ran.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// One command: what the menu and the status bar show, when it is enabled or
// checked, and what it does.
struct ViewCommand {
    int id = 0;
    const char* menuText = nullptr; // UTF-8; null for a toolbar-only command
    // UTF-8 status-bar prompt, "" for none; a tooltip part follows a "\n".
    const char* statusText = "";
    bool checkable = false;
    // May raise axisDialogEnabled, as refreshing the settings menu does.
    std::function<CommandState()> state;
    std::function<void()> run;

    // The status text's first line (the status bar) and second (the tooltip).
    std::string statusLine() const;
    std::string tooltipLine() const;
};

// Every command of the menus and the toolbar, one row each.
class ViewCommandTable {
  public:
    // The commands act on doc; doc and host must outlive the table.
    ViewCommandTable(Document& doc, CommandHost& host);

    const std::vector<ViewCommand>& rows() const { return rows_; }
    // The row of id, or null.
    const ViewCommand* find(int id) const;
    // Runs id's action; false for an id the table does not hold.
    bool run(int id) const;
    // id's update rule; enabled and unchecked for an id without one.
    CommandState state(int id) const;

  private:
    std::vector<ViewCommand> rows_;
};

// What the status bar says while the processing menu is open: why its
// greyed items cannot be used now, "" when they all can.
std::string processingMenuHint(const Document& doc);

// "座標の初期化": the molecule, vectors and contours back to their loaded
// orientation, totals back to zero and the camera fitted afresh (zoom and pan
// included); then a redraw. Display switches, picked atoms and the style stay.
void resetView(Document& doc);

// The loaded orientation, then a turn about X (degrees, +90 brings +y to the
// viewer) and Y (-90 brings +x): counted in the totals like any rotation.
// The camera is fitted again once the turn is applied.
void viewAlong(Document& doc, float degreesAboutX, float degreesAboutY);

} // namespace kalviro
