#include "render/ViewCommands.h"

#include "render/SceneChoices.h"

#include <memory>

#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "orbital/ContourStore.h"
#include "orbital/OrbitalFlags.h"
#include "platform/Platform.h"
#include "render/ViewSettings.h"

namespace kalviro {
namespace {

std::unique_ptr<DataSelection> theDataSelection;

void run(const std::function<void()>& hook) {
    if (hook)
        hook();
}

void redraw() {
    platform().redrawView();
}

void rotateBy(float MoleculeState::*axis, float degrees) {
    moleculeState().*axis = degrees;
    redraw();
}

void showPreview(int mode) {
    moleculeState().viewMode = mode;
    run(viewHooks().showSpectrumPreview);
}

CommandState enabledIf(bool on) {
    return {on, false, false};
}
CommandState checkedIf(bool on) {
    return {true, true, on};
}

struct StatusText {
    int id;
    const char* text;
};

// The status-bar prompts; a second line after "\n" is the tooltip.
constexpr StatusText kStatusTexts[] = {
    {cmd::Redraw, "Inputファイル読み込み後分子構造の表示"},
    {cmd::RotateXPlus, "内部座標　X軸周りの回転"},
    {cmd::RotateYPlus, "内部座標　Y軸周りの回転"},
    {cmd::RotateZPlus, "内部座標　Z軸周りの回転"},
    {cmd::LoadData, "データの読み込み"},
    {cmd::ShowModes, "基準モードの表示"},
    {cmd::ShowDipole, "双極子モーメントの微分を表示"},
    {cmd::ResetCoordinates, "座標の初期化"},
    {cmd::RotateXMinus, "内部座標　X軸周りの回転"},
    {cmd::RotateYMinus, "内部座標　Y軸周りの回転"},
    {cmd::RotateZMinus, "内部座標　Z軸周りの回転"},
    {cmd::ShowAxes, "回転する座標系のxyz軸を表示"},
    {cmd::AxisDialog, "座標設定ダイアログの表示"},
    {cmd::SaveImage, "描画した画像の保存"},
    {cmd::StyleSolid, "SOLIDスタイルで描画"},
    {cmd::StyleBlendAll, "分子を半透明にする"},
    {cmd::HydrogenVectors, "ベクトルの表示・非表示"},
    {cmd::PanMode, "マウス左ボタンでオブジェクトの移動"},
    {cmd::VectorLonger, "振動ベクトルの拡大"},
    {cmd::VectorShorter, "振動ベクトルの縮小"},
    {cmd::Background, "背景色の切り替え（白黒）"},
    {cmd::AtomsSolid, "原子表示を切り替える"},
    {cmd::AtomsShown, "原子の表示・非表示の切り替え"},
    {cmd::InvertVectors, "ベクトルの向きを反転させる"},
    {cmd::ShowNumbers, "原子に割り振った番号を表示する"},
    {cmd::ZoomIn, "拡大"},
    {cmd::ZoomOut, "縮小"},
    {cmd::CovalentRadius, "原子の半径に共有結合半径を用いる"},
    {cmd::RotationButtons, "回転ボタンの表示・非表示"},
    {cmd::ShowAngles, "回転角度を表示する"},
    {cmd::ShowSurface, "基板表面と法線方向ベクトルを表示する"},
    {cmd::ProjectionGreen, "強度の法線方向の射影成分の表示"},
    {cmd::ProjectionBlue, "強度の法線方向の射影成分の表示"},
    {cmd::SetRotationAngle, "回転角度の初期値を設定する"},
    {cmd::Viewpoint, "視点の設定"},
    {cmd::ComputeOrbital, "分子軌道の計算を行う"},
    {cmd::ShowOrbital, "分子起動を表示"},
    {cmd::StyleBlendBond, "結合棒を半透明にする"},
    {cmd::OpenGamess, "GAMESSファイルを開く"},
    {cmd::SaveCoordinates, "読み込んだファイルの座標データを直交座標系で保存\n名前をつけて保存"},
    {cmd::SaveIrTable, "読み込んだファイルのIRデータの保存\n名前をつけて保存"},
    {cmd::SaveIrTableSorted,
     "読み込んだファイルのIRデータを対称種別にソートして保存\n名前をつけて保存"},
    {cmd::Exit, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了"},
    {cmd::ToggleToolBar, "ﾂｰﾙ ﾊﾞｰの 表示/非表示\nﾂｰﾙ ﾊﾞｰの表示切り替え"},
    {cmd::ToggleStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示切り替え"},
    {cmd::About, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"},
};

} // namespace

ViewHooks& viewHooks() {
    static ViewHooks hooks;
    return hooks;
}

std::string commandStatusText(int id) {
    for (const auto& s : kStatusTexts) {
        if (s.id == id)
            return s.text;
    }
    return {};
}

CommandState updateCommand(int id) {
    const ViewSettings& s = viewSettings();
    const OrbitalFlags& o = orbitalFlags();
    switch (id) {
    case cmd::RotateXPlus:
    case cmd::RotateYPlus:
    case cmd::RotateZPlus:
    case cmd::RotateXMinus:
    case cmd::RotateYMinus:
    case cmd::RotateZMinus:
        return enabledIf(s.rotationButtons);
    case cmd::ShowModes:
        return {s.modesLoaded, true, s.modesShown};
    case cmd::ShowDipole:
        return {s.dipolesLoaded, true, s.dipoleShown};
    case cmd::ShowAxes:
        return checkedIf(s.axesShown);
    case cmd::AxisDialog:
        // Refreshing this item is what lets the command open its dialog.
        viewSettings().axisDialogEnabled = true;
        return {};
    case cmd::StyleSolid:
        return checkedIf(s.solidStyle);
    case cmd::StyleBlendAll:
        return checkedIf(s.blendAll);
    case cmd::StyleBlendBond:
        return checkedIf(s.blendBonds);
    case cmd::HydrogenVectors:
        return checkedIf(s.hydrogenVectors);
    case cmd::PanMode:
        return checkedIf(moleculeState().drag.pickMode != 0);
    case cmd::AtomsSolid:
        return checkedIf(s.atomsSolid);
    case cmd::AtomsShown:
        return checkedIf(s.atomsShown);
    case cmd::ShowNumbers:
        return checkedIf(s.numbersShown);
    case cmd::CovalentRadius:
        return checkedIf(s.covalentRadius);
    case cmd::RotationButtons:
        return checkedIf(s.rotationButtons);
    case cmd::ShowAngles:
        return checkedIf(s.anglesShown);
    case cmd::ShowSpectrum:
    case cmd::ProjectionGreen:
    case cmd::ProjectionBlue:
        return enabledIf(s.dipolesLoaded);
    case cmd::ShowSurface:
        return checkedIf(s.surfaceShown);
    case cmd::Viewpoint:
        return checkedIf(s.viewpointMode);
    case cmd::ComputeOrbital:
        return enabledIf(o.orbitalLoaded != 0);
    case cmd::ShowOrbital:
        return {o.orbitalLoaded != 0, true, o.orbitalShown != 0};
    default:
        return {};
    }
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

bool runViewCommand(int id) {
    ViewSettings& s = viewSettings();
    const ViewHooks& h = viewHooks();
    switch (id) {
    case cmd::Redraw:
        redraw();
        break;
    case cmd::RotateXPlus:
        rotateBy(&MoleculeState::pendingRotationX, 15.0f);
        break;
    case cmd::RotateYPlus:
        rotateBy(&MoleculeState::pendingRotationY, 15.0f);
        break;
    case cmd::RotateZPlus:
        rotateBy(&MoleculeState::pendingRotationZ, 15.0f);
        break;
    case cmd::RotateXMinus:
        rotateBy(&MoleculeState::pendingRotationX, -15.0f);
        break;
    case cmd::RotateYMinus:
        rotateBy(&MoleculeState::pendingRotationY, -15.0f);
        break;
    case cmd::RotateZMinus:
        rotateBy(&MoleculeState::pendingRotationZ, -15.0f);
        break;
    case cmd::LoadData:
        run(h.openGaussianFile);
        redraw();
        break;
    case cmd::OpenGaussian:
        run(h.openGaussianFile);
        break;
    case cmd::OpenGamess:
        run(h.openGamessFile);
        break;
    case cmd::OpenCheckpoint:
        run(h.openCheckpointFile);
        break;
    case cmd::SaveCoordinates:
        run(h.saveCoordinates);
        break;
    case cmd::SaveIrTable:
        run(h.saveIrTable);
        break;
    case cmd::SaveIrTableSorted:
        run(h.saveIrTableSorted);
        break;
    case cmd::SaveRelativeIntensity:
        run(h.saveRelativeIntensity);
        break;
    case cmd::SaveIrSpectrum:
        run(h.saveIrSpectrum);
        break;
    case cmd::SaveImage:
    case cmd::SaveImageButton:
        run(h.saveImage);
        break;
    case cmd::ShowModes:
        toggle(s.modesShown);
        redraw();
        break;
    case cmd::ShowDipole:
        toggle(s.dipoleShown);
        redraw();
        break;
    case cmd::ResetCoordinates:
        resetView();
        break;
    case cmd::ShowAxes:
        toggle(s.axesShown);
        redraw();
        break;
    case cmd::AxisDialog:
        if (s.axisDialogEnabled && atomCount() != 0)
            run(h.showAxisDialog);
        break;
    case cmd::StyleSolid:
        s.selectSolidStyle();
        redraw();
        break;
    case cmd::StyleBlendAll:
        s.selectBlendAllStyle();
        redraw();
        break;
    case cmd::StyleBlendBond:
        s.selectBlendBondStyle();
        redraw();
        break;
    case cmd::HydrogenVectors:
        toggle(s.hydrogenVectors);
        redraw();
        break;
    case cmd::PanMode:
        toggle(moleculeState().drag.pickMode);
        redraw();
        break;
    case cmd::VectorLonger:
        s.vectorLength *= 1.25;
        redraw();
        break;
    case cmd::VectorShorter:
        s.vectorLength *= 0.75;
        redraw();
        break;
    case cmd::Background:
        toggle(s.whiteBackground);
        redraw();
        break;
    case cmd::AtomsSolid:
        toggle(s.atomsSolid);
        redraw();
        break;
    case cmd::AtomsShown:
        toggle(s.atomsShown);
        redraw();
        break;
    case cmd::InvertVectors:
        s.vectorSign *= -1.0f;
        redraw();
        break;
    case cmd::ShowNumbers:
        toggle(s.numbersShown);
        redraw();
        break;
    case cmd::ZoomIn:
        zoomCounter().zoom(0, s);
        redraw();
        break;
    case cmd::ZoomOut:
        zoomCounter().zoom(1, s);
        redraw();
        break;
    case cmd::CovalentRadius:
        s.toggleCovalentRadius();
        redraw();
        break;
    case cmd::RotationButtons:
        toggle(s.rotationButtons); // the buttons change, the picture does not
        break;
    case cmd::ShowAngles:
        toggle(s.anglesShown);
        redraw();
        break;
    case cmd::ShowSpectrum:
        showPreview(0);
        break;
    case cmd::ProjectionGreen:
        showPreview(1);
        break;
    case cmd::ProjectionBlue:
        showPreview(2);
        break;
    case cmd::ShowSurface:
        s.toggleSurface();
        redraw();
        break;
    case cmd::SetRotationAngle:
        resetView();
        run(h.showRotationDialog);
        break;
    case cmd::Viewpoint:
        toggleViewpointMode(s, moleculeState());
        redraw();
        break;
    case cmd::ComputeOrbital:
        run(h.computeOrbital);
        resetView();
        break;
    case cmd::ShowOrbital:
        toggle(orbitalFlags().orbitalShown);
        redraw();
        break;
    default:
        return false;
    }
    return true;
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
