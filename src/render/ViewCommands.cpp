#include "render/ViewCommands.h"

#include "render/SceneChoices.h"

#include <memory>

#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "orbital/ContourStore.h"
#include "document/OrbitalFlags.h"
#include "platform/Platform.h"
#include "document/ViewSettings.h"

namespace kalviro {
namespace {

std::unique_ptr<DataSelection> theDataSelection;

// The status-bar prompts; a second line after "\n" is the tooltip.
constexpr const char* kRotateX = "内部座標　X軸周りの回転";
constexpr const char* kRotateY = "内部座標　Y軸周りの回転";
constexpr const char* kRotateZ = "内部座標　Z軸周りの回転";
constexpr const char* kProjection = "強度の法線方向の射影成分の表示";

void redraw() {
    platform().redrawView();
}

CommandState enabledIf(bool on) {
    return {on, false};
}
CommandState checkedIf(bool on) {
    return {true, on};
}

// An action that changes something drawn, then redraws.
std::function<void()> thenRedraw(std::function<void()> change) {
    return [change = std::move(change)] {
        change();
        redraw();
    };
}

std::function<void()> rotateBy(float MoleculeState::*axis, float degrees) {
    return thenRedraw([axis, degrees] { moleculeState().*axis = degrees; });
}

std::function<void()> toggleThenRedraw(bool ViewSettings::*flag) {
    return thenRedraw([flag] { toggle(viewSettings().*flag); });
}

std::function<CommandState()> checkedBy(bool ViewSettings::*flag) {
    return [flag] { return checkedIf(viewSettings().*flag); };
}

CommandState rotationButtonState() {
    return enabledIf(viewSettings().rotationButtons);
}

CommandState dipolesLoadedState() {
    return enabledIf(viewSettings().dipolesLoaded);
}

} // namespace

std::string ViewCommand::statusLine() const {
    const std::string text = statusText;
    return text.substr(0, text.find('\n'));
}

std::string ViewCommand::tooltipLine() const {
    const std::string text = statusText;
    const auto nl = text.find('\n');
    return nl == std::string::npos ? std::string() : text.substr(nl + 1);
}

ViewCommandTable::ViewCommandTable(CommandHost& host) {
    CommandHost* h = &host;
    auto showPreview = [h](int mode) {
        return [h, mode] {
            moleculeState().viewMode = mode;
            h->showSpectrumPreview();
        };
    };
    rows_ = {
        // File
        {cmd::OpenGaussian, "開く(*.dat/*.out/*.log)", "", false, {},
         [h] { h->openGaussianFile(); }},
        {cmd::OpenCheckpoint, "開く(*..Fchk)", "", false, {}, [h] { h->openCheckpointFile(); }},
        {cmd::OpenGamess, "開く(*.inp)", "GAMESSファイルを開く", false, {},
         [h] { h->openGamessFile(); }},
        {cmd::SaveCoordinates, "座標データの保存",
         "読み込んだファイルの座標データを直交座標系で保存\n名前をつけて保存", false, {},
         [h] { h->saveCoordinates(); }},
        {cmd::SaveIrTable, "IRデータの保存", "読み込んだファイルのIRデータの保存\n名前をつけて保存",
         false, {}, [h] { h->saveIrTable(); }},
        {cmd::SaveIrTableSorted, "IRデータの保存(対称種別)",
         "読み込んだファイルのIRデータを対称種別にソートして保存\n名前をつけて保存", false, {},
         [h] { h->saveIrTableSorted(); }},
        {cmd::SaveRelativeIntensity, "相対強度スペクトルの保存", "", false, {},
         [h] { h->saveRelativeIntensity(); }},
        {cmd::SaveIrSpectrum, "IRスペクトルの保存", "", false, {}, [h] { h->saveIrSpectrum(); }},
        {cmd::SaveImage, "画像の保存", "描画した画像の保存", false, {}, [h] { h->saveImage(); }},
        {cmd::Exit, "ｱﾌﾟﾘｹｰｼｮﾝの終了", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了", false, {},
         [h] { h->exitProgram(); }},
        // Drawing style
        {cmd::StyleSolid, "SOLID", "SOLIDスタイルで描画", true, checkedBy(&ViewSettings::solidStyle),
         thenRedraw([] { viewSettings().selectSolidStyle(); })},
        {cmd::StyleBlendBond, "BLEND BOND", "結合棒を半透明にする", true,
         checkedBy(&ViewSettings::blendBonds),
         thenRedraw([] { viewSettings().selectBlendBondStyle(); })},
        {cmd::StyleBlendAll, "BLEND ALL", "分子を半透明にする", true,
         checkedBy(&ViewSettings::blendAll),
         thenRedraw([] { viewSettings().selectBlendAllStyle(); })},
        {cmd::HydrogenVectors, "ベクトル表示(水素原子)", "ベクトルの表示・非表示", true,
         checkedBy(&ViewSettings::hydrogenVectors), toggleThenRedraw(&ViewSettings::hydrogenVectors)},
        {cmd::InvertVectors, "ベクトルの反転", "ベクトルの向きを反転させる", false, {},
         thenRedraw([] { viewSettings().vectorSign *= -1.0f; })},
        {cmd::AtomsSolid, "原子表示の切り替え(Solid or WireFrame)", "原子表示を切り替える", true,
         checkedBy(&ViewSettings::atomsSolid), toggleThenRedraw(&ViewSettings::atomsSolid)},
        {cmd::AtomsShown, "原子表示の切り替え（表示・非表示）", "原子の表示・非表示の切り替え", true,
         checkedBy(&ViewSettings::atomsShown), toggleThenRedraw(&ViewSettings::atomsShown)},
        {cmd::CovalentRadius, "原子半径の変更", "原子の半径に共有結合半径を用いる", true,
         checkedBy(&ViewSettings::covalentRadius),
         thenRedraw([] { viewSettings().toggleCovalentRadius(); })},
        // View
        {cmd::ToggleToolBar, "ﾂｰﾙ ﾊﾞｰ", "ﾂｰﾙ ﾊﾞｰの 表示/非表示\nﾂｰﾙ ﾊﾞｰの表示切り替え", true,
         [h] { return checkedIf(h->toolBarShown()); }, [h] { h->toggleToolBar(); }},
        {cmd::ToggleStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ", "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示切り替え", true,
         [h] { return checkedIf(h->statusBarShown()); }, [h] { h->toggleStatusBar(); }},
        {cmd::ShowAngles, "回転角度を表示", "回転角度を表示する", true,
         checkedBy(&ViewSettings::anglesShown), toggleThenRedraw(&ViewSettings::anglesShown)},
        {cmd::ShowNumbers, "番号の表示・表示", "原子に割り振った番号を表示する", true,
         checkedBy(&ViewSettings::numbersShown), toggleThenRedraw(&ViewSettings::numbersShown)},
        {cmd::ShowOrbital, "MO表示", "分子起動を表示", true,
         [] {
             const OrbitalFlags& o = orbitalFlags();
             return CommandState{o.orbitalLoaded != 0, o.orbitalShown != 0};
         },
         thenRedraw([] { toggle(orbitalFlags().orbitalShown); })},
        {cmd::ComputeOrbital, "MOを計算", "分子軌道の計算を行う", false,
         [] { return enabledIf(orbitalFlags().orbitalLoaded != 0); },
         [h] {
             h->computeOrbital();
             resetView();
         }},
        // Processing
        {cmd::ProjectionGreen, "相対強度の表示(軸：緑)", kProjection, false, dipolesLoadedState,
         showPreview(1)},
        {cmd::ProjectionBlue, "相対強度の表示(軸：青)", kProjection, false, dipolesLoadedState,
         showPreview(2)},
        {cmd::ShowSpectrum, "スペクトルの表示", "", false, dipolesLoadedState, showPreview(0)},
        // Settings
        {cmd::Background, "背景色(白黒切り替え)", "背景色の切り替え（白黒）", false, {},
         toggleThenRedraw(&ViewSettings::whiteBackground)},
        {cmd::AxisDialog, "座標設定ダイアログ(Dipole Moment Derivative)", "座標設定ダイアログの表示",
         false,
         [] {
             // Refreshing this item is what lets the command open its dialog.
             viewSettings().axisDialogEnabled = true;
             return CommandState{};
         },
         [h] {
             if (viewSettings().axisDialogEnabled && atomCount() != 0)
                 h->showAxisDialog();
         }},
        {cmd::SetRotationAngle, "回転角度を設定", "回転角度の初期値を設定する", false, {},
         [h] {
             resetView();
             h->showRotationDialog();
         }},
        {cmd::RotationButtons, "回転ボタン(表示・非表示)", "回転ボタンの表示・非表示", true,
         checkedBy(&ViewSettings::rotationButtons),
         // the buttons change, the picture does not
         [] { toggle(viewSettings().rotationButtons); }},
        // Help
        {cmd::About, "KALVIRO のﾊﾞｰｼﾞｮﾝ情報",
         "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報", false, {},
         [h] { h->showAbout(); }},
        // Toolbar only
        {cmd::LoadData, nullptr, "データの読み込み", false, {},
         [h] {
             h->openGaussianFile();
             redraw();
         }},
        {cmd::SaveImageButton, nullptr, "", false, {}, [h] { h->saveImage(); }},
        {cmd::Redraw, nullptr, "Inputファイル読み込み後分子構造の表示", false, {}, redraw},
        {cmd::PanMode, nullptr, "マウス左ボタンでオブジェクトの移動", true,
         [] { return checkedIf(moleculeState().drag.pickMode != 0); },
         thenRedraw([] { toggle(moleculeState().drag.pickMode); })},
        {cmd::ResetCoordinates, nullptr, "座標の初期化", false, {}, resetView},
        {cmd::ShowAxes, nullptr, "回転する座標系のxyz軸を表示", true,
         checkedBy(&ViewSettings::axesShown), toggleThenRedraw(&ViewSettings::axesShown)},
        {cmd::ShowSurface, nullptr, "基板表面と法線方向ベクトルを表示する", true,
         checkedBy(&ViewSettings::surfaceShown),
         thenRedraw([] { viewSettings().toggleSurface(); })},
        {cmd::ZoomIn, nullptr, "拡大", false, {},
         thenRedraw([] { zoomCounter().zoom(0, viewSettings()); })},
        {cmd::ZoomOut, nullptr, "縮小", false, {},
         thenRedraw([] { zoomCounter().zoom(1, viewSettings()); })},
        {cmd::ShowModes, nullptr, "基準モードの表示", true,
         [] {
             const ViewSettings& s = viewSettings();
             return CommandState{s.modesLoaded, s.modesShown};
         },
         toggleThenRedraw(&ViewSettings::modesShown)},
        {cmd::ShowDipole, nullptr, "双極子モーメントの微分を表示", true,
         [] {
             const ViewSettings& s = viewSettings();
             return CommandState{s.dipolesLoaded, s.dipoleShown};
         },
         toggleThenRedraw(&ViewSettings::dipoleShown)},
        {cmd::VectorLonger, nullptr, "振動ベクトルの拡大", false, {},
         thenRedraw([] { viewSettings().vectorLength *= 1.25; })},
        {cmd::VectorShorter, nullptr, "振動ベクトルの縮小", false, {},
         thenRedraw([] { viewSettings().vectorLength *= 0.75; })},
        {cmd::Viewpoint, nullptr, "視点の設定", true, checkedBy(&ViewSettings::viewpointMode),
         thenRedraw([] { toggleViewpointMode(viewSettings(), moleculeState()); })},
        {cmd::RotateXPlus, nullptr, kRotateX, false, rotationButtonState,
         rotateBy(&MoleculeState::pendingRotationX, 15.0f)},
        {cmd::RotateYPlus, nullptr, kRotateY, false, rotationButtonState,
         rotateBy(&MoleculeState::pendingRotationY, 15.0f)},
        {cmd::RotateZPlus, nullptr, kRotateZ, false, rotationButtonState,
         rotateBy(&MoleculeState::pendingRotationZ, 15.0f)},
        {cmd::RotateXMinus, nullptr, kRotateX, false, rotationButtonState,
         rotateBy(&MoleculeState::pendingRotationX, -15.0f)},
        {cmd::RotateYMinus, nullptr, kRotateY, false, rotationButtonState,
         rotateBy(&MoleculeState::pendingRotationY, -15.0f)},
        {cmd::RotateZMinus, nullptr, kRotateZ, false, rotationButtonState,
         rotateBy(&MoleculeState::pendingRotationZ, -15.0f)},
    };
}

const ViewCommand* ViewCommandTable::find(int id) const {
    for (const ViewCommand& c : rows_)
        if (c.id == id)
            return &c;
    return nullptr;
}

bool ViewCommandTable::run(int id) const {
    const ViewCommand* c = find(id);
    if (!c || !c->run)
        return false;
    c->run();
    return true;
}

CommandState ViewCommandTable::state(int id) const {
    const ViewCommand* c = find(id);
    return c && c->state ? c->state() : CommandState{};
}

void resetView() {
    MoleculeState& m = moleculeState();
    restoreAllPositions(m);
    vibrationStore().restoreVectors();
    clearPendingRotation(m);
    if (orbitalFlags().orbitalLoaded != 0)
        contourStore().restoreContours();
    viewSettings().resetCamera();
    releaseZoomCounter();
    m.rotationX = m.rotationY = m.rotationZ = 0.0f;
    m.viewValue = 0.0f;
    m.panX = m.panY = 0.0f;
    redraw();
}

DataSelection& dataSelection() {
    if (!theDataSelection)
        theDataSelection = std::make_unique<DataSelection>();
    return *theDataSelection;
}

void resetDataSelection() {
    theDataSelection.reset();
}

std::string& dipoleOrigin() { return sceneChoices().dipoleOrigin; }

void resetDipoleOrigin() { sceneChoices().dipoleOrigin = "-1"; }

} // namespace kalviro
