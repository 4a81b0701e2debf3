#pragma once
// The commands of the 3D view: their ids, status texts, effects and
// enable/check rules, without any window. The desktop program binds menus
// and toolbar buttons to these ids; effects that belong to other parts of
// the program (file commands, dialogs, previews) go through ViewHooks.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/OrbitalSelection.h"

namespace kalviro {

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
constexpr int StyleBlendBond = 32858;
constexpr int OpenGaussian = 32860;
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

// Effects that other parts of the program supply. An empty hook does nothing.
struct ViewHooks {
    std::function<void()> openGaussianFile;      // 32860, 32783
    std::function<void()> openGamessFile;        // 32859
    std::function<void()> openCheckpointFile;    // 32845
    std::function<void()> saveCoordinates;       // 57604
    std::function<void()> saveIrTable;           // 32838
    std::function<void()> saveIrTableSorted;     // 32854
    std::function<void()> saveRelativeIntensity; // 32848
    std::function<void()> saveIrSpectrum;        // 32853
    std::function<void()> saveImage;             // 32806, 32792
    std::function<void()> showSpectrumPreview;   // 32840, 32849, 32850, after viewMode is set
    std::function<void()> computeOrbital;        // 32856, before the reset
    std::function<void()> showAxisDialog;        // 32805, when it may open
    std::function<void()> showRotationDialog;    // 32852, after the reset
};

ViewHooks& viewHooks();

// How a menu item or toolbar button looks after its update rule ran.
struct CommandState {
    bool enabled = true;
    bool checkable = false; // the rule sets a check mark
    bool checked = false;
};

// Runs the update rule of id (which may raise axisDialogEnabled, as opening
// the settings menu does). Ids without a rule are enabled and unchecked.
CommandState updateCommand(int id);

// Runs the effect of id. Returns false for an id the view does not handle.
bool runViewCommand(int id);

// "座標の初期化": the molecule, vectors and contours back to their loaded
// orientation, camera, zoom, totals and pan back to the start; then a redraw.
// Display switches, picked atoms and the style stay.
void resetView();

// The status-bar text of a command as UTF-8 ("" when it has none). Texts with
// a tooltip part carry it after a line feed.
std::string commandStatusText(int id);

// The "MO" group of the data selection dialog: the dialog shows and edits
// these, the orbital commands fill and read them.
using DataSelection = OrbitalFields;
DataSelection& dataSelection();
void resetDataSelection();

// Atom number where the dipole-derivative arrow starts, as typed; "-1" (the
// model origin) at start. Outlives dialogs and files. The same text as
// sceneChoices().dipoleOrigin, which the drawers read; the selected mode is
// sceneChoices().selectedMode.
std::string& dipoleOrigin();
void resetDipoleOrigin();

} // namespace kalviro
