#include "render/ViewCommands.h"

#include "document/Document.h"
#include "platform/Messages.h"
#include "platform/Platform.h"

namespace kalviro {
namespace {

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

std::function<void()> rotateBy(Document* d, float MoleculeState::*axis, float degrees) {
    return thenRedraw([d, axis, degrees] { d->molecule.*axis = degrees; });
}

std::function<void()> toggleThenRedraw(Document* d, bool ViewSettings::*flag) {
    return thenRedraw([d, flag] { toggle(d->view.*flag); });
}

std::function<CommandState()> checkedBy(Document* d, bool ViewSettings::*flag) {
    return [d, flag] { return checkedIf(d->view.*flag); };
}

// Enabled while the flag of the view settings is on.
std::function<CommandState()> enabledBy(Document* d, bool ViewSettings::*flag) {
    return [d, flag] { return enabledIf(d->view.*flag); };
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

ViewCommandTable::ViewCommandTable(Document& doc, CommandHost& host) {
    CommandHost* h = &host;
    Document* d = &doc;
    auto showPreview = [d, h](int mode) {
        return [d, h, mode] {
            d->molecule.viewMode = mode;
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
        {cmd::SaveAnimation, "アニメーションの保存",
         "選択した基準振動をアニメーション (GIF, PNG連番, XYZ) として保存", false,
         [d] { return enabledIf(modeVectors(*d, d->scene.selectedMode) != nullptr); },
         [h] { h->saveAnimation(); }},
        {cmd::Exit, "ｱﾌﾟﾘｹｰｼｮﾝの終了", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了", false, {},
         [h] { h->exitProgram(); }},
        // Drawing style
        {cmd::StyleSolid, "SOLID", "SOLIDスタイルで描画", true, checkedBy(d, &ViewSettings::solidStyle),
         thenRedraw([d] { d->view.selectSolidStyle(); })},
        {cmd::StyleBlendBond, "BLEND BOND", "結合棒を半透明にする", true,
         checkedBy(d, &ViewSettings::blendBonds),
         thenRedraw([d] { d->view.selectBlendBondStyle(); })},
        {cmd::StyleBlendAll, "BLEND ALL", "分子を半透明にする", true,
         checkedBy(d, &ViewSettings::blendAll),
         thenRedraw([d] { d->view.selectBlendAllStyle(); })},
        {cmd::HydrogenVectors, "ベクトル表示(水素原子)", "ベクトルの表示・非表示", true,
         checkedBy(d, &ViewSettings::hydrogenVectors), toggleThenRedraw(d, &ViewSettings::hydrogenVectors)},
        {cmd::InvertVectors, "ベクトルの反転", "ベクトルの向きを反転させる", false, {},
         thenRedraw([d] { d->view.vectorSign *= -1.0f; })},
        {cmd::AtomsSolid, "原子表示の切り替え(Solid or WireFrame)", "原子表示を切り替える", true,
         checkedBy(d, &ViewSettings::atomsSolid), toggleThenRedraw(d, &ViewSettings::atomsSolid)},
        {cmd::AtomsShown, "原子表示の切り替え（表示・非表示）", "原子の表示・非表示の切り替え", true,
         checkedBy(d, &ViewSettings::atomsShown), toggleThenRedraw(d, &ViewSettings::atomsShown)},
        {cmd::CovalentRadius, "原子半径の変更", "原子の半径に共有結合半径を用いる", true,
         checkedBy(d, &ViewSettings::covalentRadius),
         thenRedraw([d] { d->view.toggleCovalentRadius(); })},
        // View
        {cmd::ToggleToolBar, "ﾂｰﾙ ﾊﾞｰ", "ﾂｰﾙ ﾊﾞｰの 表示/非表示\nﾂｰﾙ ﾊﾞｰの表示切り替え", true,
         [h] { return checkedIf(h->toolBarShown()); }, [h] { h->toggleToolBar(); }},
        {cmd::ToggleStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ", "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示切り替え", true,
         [h] { return checkedIf(h->statusBarShown()); }, [h] { h->toggleStatusBar(); }},
        {cmd::FitView, "全体表示", "分子全体が収まるように表示する\n全体表示", false, {},
         thenRedraw([d] { d->view.fitPending = true; })},
        {cmd::ViewAlongX, "X軸方向から見る", "X軸が手前を向くように回転する\nX軸方向から見る", false,
         {}, [d] { viewAlong(*d, 0.0f, -90.0f); }},
        {cmd::ViewAlongY, "Y軸方向から見る", "Y軸が手前を向くように回転する\nY軸方向から見る", false,
         {}, [d] { viewAlong(*d, 90.0f, 0.0f); }},
        {cmd::ViewAlongZ, "Z軸方向から見る", "Z軸が手前を向くように回転する\nZ軸方向から見る", false,
         {}, [d] { viewAlong(*d, 0.0f, 0.0f); }},
        {cmd::ShowAngles, "回転角度を表示", "回転角度を表示する", true,
         checkedBy(d, &ViewSettings::anglesShown), toggleThenRedraw(d, &ViewSettings::anglesShown)},
        {cmd::ShowNumbers, "番号の表示・表示", "原子に割り振った番号を表示する", true,
         checkedBy(d, &ViewSettings::numbersShown), toggleThenRedraw(d, &ViewSettings::numbersShown)},
        {cmd::ShowOrbital, "MO表示", "分子起動を表示", true,
         [d] {
             const OrbitalFlags& o = d->orbitalFlags;
             return CommandState{o.orbitalLoaded, o.orbitalShown};
         },
         thenRedraw([d] { toggle(d->orbitalFlags.orbitalShown); })},
        {cmd::ShowIsosurfaces, "等値面の表示", "分子軌道を等値面で表示", true,
         [d] {
             const OrbitalFlags& o = d->orbitalFlags;
             return CommandState{o.orbitalLoaded, o.surfacesShown};
         },
         thenRedraw([d] { toggle(d->orbitalFlags.surfacesShown); })},
        {cmd::ComputeOrbital, "MOを計算", "分子軌道の計算を行う", false,
         [d] { return enabledIf(d->orbitalFlags.orbitalLoaded); },
         [d, h] {
             h->computeOrbital();
             resetView(*d);
         }},
        // Animation
        {cmd::Animate, "振動アニメーション", "選択した基準振動を動かす (スペース: 再生・停止)", true,
         [d] {
             return CommandState{modeVectors(*d, d->scene.selectedMode) != nullptr,
                                 d->animation.playing};
         },
         thenRedraw([d] {
             // Stopping returns the picture to the still molecule at once.
             toggle(d->animation.playing);
             d->animation.phase = 0.0;
         })},
        {cmd::AmplitudeLarger, "振幅を大きく", "アニメーションの振幅を大きくする", false, {},
         thenRedraw([d] { d->animation.larger(); })},
        {cmd::AmplitudeSmaller, "振幅を小さく", "アニメーションの振幅を小さくする", false, {},
         thenRedraw([d] { d->animation.smaller(); })},
        {cmd::AnimationFaster, "速く", "アニメーションを速くする", false, {},
         [d] { d->animation.faster(); }},
        {cmd::AnimationSlower, "遅く", "アニメーションを遅くする", false, {},
         [d] { d->animation.slower(); }},
        {cmd::ScaledArrows, "振幅に比例した矢印", "振動ベクトルの長さを各原子の振幅に比例させる",
         true, [d] { return checkedIf(d->animation.scaledArrows); },
         thenRedraw([d] { toggle(d->animation.scaledArrows); })},
        // Processing
        {cmd::ProjectionGreen, "相対強度の表示(軸：緑)", kProjection, false, enabledBy(d, &ViewSettings::dipolesLoaded),
         showPreview(1)},
        {cmd::ProjectionBlue, "相対強度の表示(軸：青)", kProjection, false, enabledBy(d, &ViewSettings::dipolesLoaded),
         showPreview(2)},
        {cmd::ShowSpectrum, "スペクトルの表示", "", false,
         [d] { return enabledIf(!d->vibrations.frequencies.empty()); }, showPreview(0)},
        {cmd::OverlayMeasured, "実測スペクトルを重ねる",
         "実測スペクトル (JCAMP-DX, CSV) を計算したスペクトルに重ねて表示する", false,
         [d] { return enabledIf(!d->vibrations.frequencies.empty()); },
         [d, h] {
             if (askAndAddMeasuredSpectrum(d->spectrum))
                 h->measuredSpectraChanged();
         }},
        {cmd::ClearMeasured, "実測スペクトルを消す", "重ねて表示した実測スペクトルをすべて消す",
         false, [d] { return enabledIf(!d->spectrum.measured.empty()); },
         [d, h] {
             d->spectrum.measured.clear();
             h->measuredSpectraChanged();
         }},
        {cmd::SaveShownSpectrum, "表示中のスペクトルを保存",
         "スペクトルの表示の範囲・線形で CSV, JCAMP-DX, SVG, PNG に保存\n名前をつけて保存", false,
         [d] { return enabledIf(!d->vibrations.frequencies.empty()); },
         [h] { h->saveShownSpectrum(); }},
        {cmd::LoadVibrationData, "振動解析データを読み込む",
         "同じ計算のチェックポイントファイルから双極子微分を読み込む", false,
         [d] { return enabledIf(!d->vibrations.modes.empty()); }, [h] { h->loadVibrationData(); }},
        {cmd::ChangeIsotopes, "同位体の質量を変更...",
         "原子の質量を同位体に変えて基準振動・強度・スペクトルを計算し直す", false,
         [d] { return enabledIf(d->hessian != nullptr); },
         [d, h] {
             if (d->hessian)
                 h->changeIsotopes();
         }},
        // Settings
        {cmd::Background, "背景色(白黒切り替え)", "背景色の切り替え（白黒）", false, {},
         toggleThenRedraw(d, &ViewSettings::whiteBackground)},
        {cmd::AxisDialog, "座標設定ダイアログ(Dipole Moment Derivative)", "座標設定ダイアログの表示",
         false,
         [d] {
             // Refreshing this item is what lets the command open its dialog.
             d->view.axisDialogEnabled = true;
             return CommandState{};
         },
         [d, h] {
             if (d->view.axisDialogEnabled && d->atomCount() != 0)
                 h->showAxisDialog();
         }},
        {cmd::SetRotationAngle, "回転角度を設定", "回転角度の初期値を設定する", false, {},
         [d, h] {
             resetView(*d);
             h->showRotationDialog();
         }},
        {cmd::RotationButtons, "回転ボタン(表示・非表示)", "回転ボタンの表示・非表示", true,
         checkedBy(d, &ViewSettings::rotationButtons),
         // the buttons change, the picture does not
         [d] { toggle(d->view.rotationButtons); }},
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
         [d] { return checkedIf(d->molecule.drag.pickMode); },
         thenRedraw([d] { toggle(d->molecule.drag.pickMode); })},
        {cmd::ResetCoordinates, nullptr, "座標の初期化", false, {}, [d] { resetView(*d); }},
        {cmd::ShowAxes, nullptr, "回転する座標系のxyz軸を表示", true,
         checkedBy(d, &ViewSettings::axesShown), toggleThenRedraw(d, &ViewSettings::axesShown)},
        {cmd::ShowSurface, nullptr, "基板表面と法線方向ベクトルを表示する", true,
         checkedBy(d, &ViewSettings::surfaceShown),
         thenRedraw([d] { d->view.toggleSurface(); })},
        {cmd::ZoomIn, nullptr, "拡大", false, {},
         thenRedraw([d] { d->zoom.zoom(0, d->view); })},
        {cmd::ZoomOut, nullptr, "縮小", false, {},
         thenRedraw([d] { d->zoom.zoom(1, d->view); })},
        {cmd::ShowModes, nullptr, "基準モードの表示", true,
         [d] {
             const ViewSettings& s = d->view;
             return CommandState{s.modesLoaded, s.modesShown};
         },
         toggleThenRedraw(d, &ViewSettings::modesShown)},
        {cmd::ShowDipole, nullptr, "双極子モーメントの微分を表示", true,
         [d] {
             const ViewSettings& s = d->view;
             return CommandState{s.dipolesLoaded, s.dipoleShown};
         },
         toggleThenRedraw(d, &ViewSettings::dipoleShown)},
        {cmd::VectorLonger, nullptr, "振動ベクトルの拡大", false, {},
         thenRedraw([d] { d->view.vectorLength *= 1.25; })},
        {cmd::VectorShorter, nullptr, "振動ベクトルの縮小", false, {},
         thenRedraw([d] { d->view.vectorLength *= 0.75; })},
        {cmd::Viewpoint, nullptr, "視点の設定", true, checkedBy(d, &ViewSettings::viewpointMode),
         thenRedraw([d] { toggleViewpointMode(d->view, d->molecule); })},
        {cmd::RotateXPlus, nullptr, kRotateX, false, enabledBy(d, &ViewSettings::rotationButtons),
         rotateBy(d, &MoleculeState::pendingRotationX, 15.0f)},
        {cmd::RotateYPlus, nullptr, kRotateY, false, enabledBy(d, &ViewSettings::rotationButtons),
         rotateBy(d, &MoleculeState::pendingRotationY, 15.0f)},
        {cmd::RotateZPlus, nullptr, kRotateZ, false, enabledBy(d, &ViewSettings::rotationButtons),
         rotateBy(d, &MoleculeState::pendingRotationZ, 15.0f)},
        {cmd::RotateXMinus, nullptr, kRotateX, false, enabledBy(d, &ViewSettings::rotationButtons),
         rotateBy(d, &MoleculeState::pendingRotationX, -15.0f)},
        {cmd::RotateYMinus, nullptr, kRotateY, false, enabledBy(d, &ViewSettings::rotationButtons),
         rotateBy(d, &MoleculeState::pendingRotationY, -15.0f)},
        {cmd::RotateZMinus, nullptr, kRotateZ, false, enabledBy(d, &ViewSettings::rotationButtons),
         rotateBy(d, &MoleculeState::pendingRotationZ, -15.0f)},
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

namespace {
void restoreOrientation(Document& doc) {
    MoleculeState& m = doc.molecule;
    restoreAllPositions(m);
    doc.vibrations.restoreVectors();
    clearPendingRotation(m);
    if (doc.orbitalFlags.orbitalLoaded)
        doc.contours.restoreContours();
    doc.surfaces.restore();
    m.rotationX = m.rotationY = m.rotationZ = 0.0f;
    m.viewValue = 0.0f;
}
} // namespace

std::string processingMenuHint(const Document& doc) {
    if (doc.vibrations.frequencies.empty())
        return msg::kHintNoVibrations;
    if (!doc.view.dipolesLoaded)
        return msg::kHintNoDipoleDerivatives;
    return {};
}

void resetView(Document& doc) {
    restoreOrientation(doc);
    doc.view.resetCamera();
    doc.zoom = ZoomCounter();
    doc.molecule.panX = doc.molecule.panY = 0.0f;
    doc.view.fitPending = true;
    redraw();
}

void viewAlong(Document& doc, float degreesAboutX, float degreesAboutY) {
    restoreOrientation(doc);
    doc.molecule.pendingRotationX = degreesAboutX;
    doc.molecule.pendingRotationY = degreesAboutY;
    doc.view.fitPending = true;
    redraw();
}

} // namespace kalviro
