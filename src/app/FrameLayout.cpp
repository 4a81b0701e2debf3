#include "app/FrameLayout.h"

#include "render/ViewCommands.h"

namespace kalviro {

const std::vector<MenuPopup>& menuLayout() {
    static const std::vector<MenuPopup> menus = {
        {"ﾌｧｲﾙ",
         {cmd::OpenGaussian,
          cmd::OpenCheckpoint,
          cmd::OpenGamess,
          0,
          cmd::SaveCoordinates,
          0,
          cmd::SaveIrTable,
          cmd::SaveIrTableSorted,
          cmd::SaveRelativeIntensity,
          cmd::SaveIrSpectrum,
          cmd::SaveShownSpectrum,
          0,
          cmd::SaveImage,
          cmd::SaveAnimation,
          0,
          cmd::Exit}},
        {"描画スタイル",
         {cmd::StyleSolid,
          cmd::StyleBlendBond,
          cmd::StyleBlendAll,
          0,
          cmd::HydrogenVectors,
          cmd::InvertVectors,
          0,
          cmd::AtomsSolid,
          cmd::AtomsShown,
          cmd::CovalentRadius}},
        {"表示",
         {cmd::ToggleToolBar,
          cmd::ToggleStatusBar,
          0,
          cmd::FitView,
          cmd::ViewAlongX,
          cmd::ViewAlongY,
          cmd::ViewAlongZ,
          0,
          cmd::ShowAngles,
          cmd::ShowNumbers,
          0,
          cmd::ShowOrbital,
          cmd::ShowIsosurfaces,
          cmd::ComputeOrbital}},
        {"アニメーション",
         {cmd::Animate,
          0,
          cmd::AmplitudeLarger,
          cmd::AmplitudeSmaller,
          cmd::AnimationFaster,
          cmd::AnimationSlower,
          0,
          cmd::ScaledArrows}},
        {"処理",
         {cmd::ProjectionGreen,
          cmd::ProjectionBlue,
          cmd::ShowSpectrum,
          cmd::OverlayMeasured,
          cmd::ClearMeasured,
          0,
          cmd::LoadVibrationData,
          cmd::ChangeIsotopes}},
        {"設定",
         {cmd::Background,
          0,
          cmd::AxisDialog,
          cmd::SetRotationAngle,
          0,
          cmd::RotationButtons}},
        {"ﾍﾙﾌﾟ", {cmd::About}},
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
        cmd::FitView,
        cmd::ViewAlongX,
        cmd::ViewAlongY,
        cmd::ViewAlongZ,
        0,
        cmd::ShowAxes,
        cmd::ShowSurface,
        cmd::ZoomIn,
        cmd::ZoomOut,
        cmd::ShowModes,
        cmd::ShowDipole,
        cmd::VectorLonger,
        cmd::VectorShorter,
        cmd::Animate,
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
