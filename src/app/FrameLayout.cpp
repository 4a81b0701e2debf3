#include "app/FrameLayout.h"

#include "render/ViewCommands.h"

namespace kalviro {

const std::vector<MenuPopup>& menuLayout() {
    static const std::vector<MenuPopup> menus = {
        {"ﾌｧｲﾙ",
         {{"開く(*.dat/*.out/*.log)", cmd::OpenGaussian},
          {"開く(*..Fchk)", cmd::OpenCheckpoint},
          {"開く(*.inp)", cmd::OpenGamess},
          {},
          {"座標データの保存", cmd::SaveCoordinates},
          {},
          {"IRデータの保存", cmd::SaveIrTable},
          {"IRデータの保存(対称種別)", cmd::SaveIrTableSorted},
          {"相対強度スペクトルの保存", cmd::SaveRelativeIntensity},
          {"IRスペクトルの保存", cmd::SaveIrSpectrum},
          {},
          {"画像の保存", cmd::SaveImage},
          {},
          {"ｱﾌﾟﾘｹｰｼｮﾝの終了", cmd::Exit}}},
        {"描画スタイル",
         {{"SOLID", cmd::StyleSolid},
          {"BLEND BOND", cmd::StyleBlendBond},
          {"BLEND ALL", cmd::StyleBlendAll},
          {},
          {"ベクトル表示(水素原子)", cmd::HydrogenVectors},
          {"ベクトルの反転", cmd::InvertVectors},
          {},
          {"原子表示の切り替え(Solid or WireFrame)", cmd::AtomsSolid},
          {"原子表示の切り替え（表示・非表示）", cmd::AtomsShown},
          {"原子半径の変更", cmd::CovalentRadius}}},
        {"表示",
         {{"ﾂｰﾙ ﾊﾞｰ", cmd::ToggleToolBar},
          {"ｽﾃｰﾀｽ ﾊﾞｰ", cmd::ToggleStatusBar},
          {},
          {"回転角度を表示", cmd::ShowAngles},
          {"番号の表示・表示", cmd::ShowNumbers},
          {},
          {"MO表示", cmd::ShowOrbital},
          {"MOを計算", cmd::ComputeOrbital}}},
        {"処理",
         {{"相対強度の表示(軸：緑)", cmd::ProjectionGreen},
          {"相対強度の表示(軸：青)", cmd::ProjectionBlue},
          {"スペクトルの表示", cmd::ShowSpectrum}}},
        {"設定",
         {{"背景色(白黒切り替え)", cmd::Background},
          {},
          {"座標設定ダイアログ(Dipole Moment Derivative)", cmd::AxisDialog},
          {"回転角度を設定", cmd::SetRotationAngle},
          {},
          {"回転ボタン(表示・非表示)", cmd::RotationButtons}}},
        {"ﾍﾙﾌﾟ", {{"KALVIRO のﾊﾞｰｼﾞｮﾝ情報", cmd::About}}},
    };
    return menus;
}

const std::vector<int>& toolbarLayout() {
    static const std::vector<int> buttons = {
        cmd::LoadData,
        cmd::SaveImageButton,
        0,
        cmd::Redraw,
        cmd::PanMode,
        cmd::ResetCoordinates,
        0,
        cmd::ShowAxes,
        cmd::ShowSurface,
        cmd::ZoomIn,
        cmd::ZoomOut,
        cmd::ShowModes,
        cmd::ShowDipole,
        cmd::VectorLonger,
        cmd::VectorShorter,
        0,
        cmd::Viewpoint,
        0,
        cmd::RotateXPlus,
        cmd::RotateYPlus,
        cmd::RotateZPlus,
        cmd::RotateXMinus,
        cmd::RotateYMinus,
        cmd::RotateZMinus,
    };
    return buttons;
}

bool commandIsCheckable(int id) {
    switch (id) {
    case cmd::ShowModes:
    case cmd::ShowDipole:
    case cmd::ShowAxes:
    case cmd::StyleSolid:
    case cmd::StyleBlendAll:
    case cmd::StyleBlendBond:
    case cmd::HydrogenVectors:
    case cmd::PanMode:
    case cmd::AtomsSolid:
    case cmd::AtomsShown:
    case cmd::ShowNumbers:
    case cmd::CovalentRadius:
    case cmd::RotationButtons:
    case cmd::ShowAngles:
    case cmd::ShowSurface:
    case cmd::Viewpoint:
    case cmd::ShowOrbital:
    case cmd::ToggleToolBar:
    case cmd::ToggleStatusBar:
        return true;
    default:
        return false;
    }
}

std::string statusLine(int id) {
    const std::string text = commandStatusText(id);
    return text.substr(0, text.find('\n'));
}

std::string tooltipLine(int id) {
    const std::string text = commandStatusText(id);
    const auto nl = text.find('\n');
    return nl == std::string::npos ? std::string() : text.substr(nl + 1);
}

int menuIdFor(int command) {
    return command < 40000 ? command - 20000 : command - 40000;
}

int commandForMenuId(int menuId) {
    return menuId < 17000 ? menuId + 20000 : menuId + 40000;
}

FramePlacement mainFramePlacement(int screenWidth, int screenHeight) {
    return {(screenWidth - 600) / 2, (screenHeight - 600) / 4, 600, 600};
}

} // namespace kalviro
