#include <gtest/gtest.h>

#include <GL/gl.h>
#include <wx/hyperlink.h>
#include <wx/wx.h>

#include "TestSupport.h"
#include "app/AppConfig.h"
#include "app/AppHooks.h"
#include "app/AboutDialog.h"
#include "app/AxisDialog.h"
#include "app/DataSelectionDialog.h"
#include "app/KalviroApp.h"
#include "app/MainFrame.h"
#include "app/RotationAngleDialog.h"
#include "app/Cursors.h"
#include "app/FrameLayout.h"
#include "app/MoleculeView.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "model/readers/GaussianOutputReader.h"
#include "orbital/OrbitalFlags.h"
#include "render/ViewCommands.h"
#include "render/SceneChoices.h"
#include "render/ViewSettings.h"

using namespace kalviro;

namespace {

// wx up once for the whole program, with its settings in a scratch folder.
class WxEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        setenv("XDG_CONFIG_HOME", config_.dir().c_str(), 1);
        static char name[] = "kalviro-gui-tests";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        // A failed wx check is a failed test, not a dialog nobody answers.
        wxSetAssertHandler([](const wxString& file, int line, const wxString& func,
                              const wxString& cond, const wxString& msg) {
            ADD_FAILURE() << "wx assert " << file << ":" << line << " " << func << " " << cond
                          << " " << msg;
        });
        wxApp::SetInstance(new wxApp);
        ASSERT_TRUE(wxEntryStart(argc, argv));
        wxTheApp->CallOnInit();
    }
    void TearDown() override { wxEntryCleanup(); }

  private:
    test::TempDir config_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new WxEnvironment);

void settle() {
    for (int i = 0; i < 3; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
    }
}

class FrameTest : public test::ProcessStateTest {
  protected:
    void SetUp() override {
        ProcessStateTest::SetUp();
        viewHooks() = ViewHooks{};
        appHooks() = AppHooks{};
        resetDataSelection();
        resetDipoleOrigin();
        frame_ = new MainFrame;
        frame_->Show();
        installDialogHooks(frame_);
        settle();
    }
    void TearDown() override {
        closeAxisDialog();
        closeRotationDialog();
        closeDataSelectDialog();
        frame_->Destroy();
        settle();
        viewHooks() = ViewHooks{};
        appHooks() = AppHooks{};
        ProcessStateTest::TearDown();
    }
    void command(int id) { rawCommand(menuIdFor(id)); }
    void rawCommand(int id) {
        wxCommandEvent e(wxEVT_MENU, id);
        e.SetEventObject(frame_);
        frame_->GetEventHandler()->ProcessEvent(e);
    }
    wxMenuItem* item(int id) {
        frame_->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        return frame_->GetMenuBar()->FindItem(menuIdFor(id));
    }
    wxToolBar* tools() { return frame_->GetToolBar(); }
    // State of a command's menu item, or of its button when it has no item.
    bool enabled(int id) {
        if (wxMenuItem* it = item(id))
            return it->IsEnabled();
        return tools()->GetToolEnabled(menuIdFor(id));
    }
    bool checked(int id) {
        if (wxMenuItem* it = item(id))
            return it->IsChecked();
        return tools()->GetToolState(menuIdFor(id));
    }
    void twoAtomMolecule() {
        MoleculeState& m = moleculeState();
        m.atoms.resize(3);
        m.atoms[0].symbol = "C";
        m.atoms[1].symbol = "O";
        m.atoms[1].y = 3;
        m.atoms[2].symbol = "H";
        m.atoms[2].z = 2;
        for (Atom& a : m.atoms)
            a.keepPosition(); // the rotation dialog's reset goes back to these
    }
    MainFrame* frame_ = nullptr;
};

struct Row {
    const char* text; // nullptr: separator
    int id;
    const char* status;
};

// The menus as the program's users know them, written out independently.
const std::vector<std::pair<const char*, std::vector<Row>>> kMenus = {
    {"ﾌｧｲﾙ",
     {{"開く(*.dat/*.out/*.log)", 32860, ""},
      {"開く(*..Fchk)", 32845, ""},
      {"開く(*.inp)", 32859, "GAMESSファイルを開く"},
      {nullptr, 0, nullptr},
      {"座標データの保存", 57604, "読み込んだファイルの座標データを直交座標系で保存"},
      {nullptr, 0, nullptr},
      {"IRデータの保存", 32838, "読み込んだファイルのIRデータの保存"},
      {"IRデータの保存(対称種別)", 32854, "読み込んだファイルのIRデータを対称種別にソートして保存"},
      {"相対強度スペクトルの保存", 32848, ""},
      {"IRスペクトルの保存", 32853, ""},
      {nullptr, 0, nullptr},
      {"画像の保存", 32806, "描画した画像の保存"},
      {nullptr, 0, nullptr},
      {"ｱﾌﾟﾘｹｰｼｮﾝの終了", 57665, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示"}}},
    {"描画スタイル",
     {{"SOLID", 32808, "SOLIDスタイルで描画"},
      {"BLEND BOND", 32858, "結合棒を半透明にする"},
      {"BLEND ALL", 32810, "分子を半透明にする"},
      {nullptr, 0, nullptr},
      {"ベクトル表示(水素原子)", 32812, "ベクトルの表示・非表示"},
      {"ベクトルの反転", 32824, "ベクトルの向きを反転させる"},
      {nullptr, 0, nullptr},
      {"原子表示の切り替え(Solid or WireFrame)", 32820, "原子表示を切り替える"},
      {"原子表示の切り替え（表示・非表示）", 32822, "原子の表示・非表示の切り替え"},
      {"原子半径の変更", 32831, "原子の半径に共有結合半径を用いる"}}},
    {"表示",
     {{"ﾂｰﾙ ﾊﾞｰ", 59392, "ﾂｰﾙ ﾊﾞｰの 表示/非表示"},
      {"ｽﾃｰﾀｽ ﾊﾞｰ", 59393, "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示"},
      {nullptr, 0, nullptr},
      {"回転角度を表示", 32839, "回転角度を表示する"},
      {"番号の表示・表示", 32826, "原子に割り振った番号を表示する"},
      {nullptr, 0, nullptr},
      {"MO表示", 32857, "分子起動を表示"},
      {"MOを計算", 32856, "分子軌道の計算を行う"}}},
    {"処理",
     {{"相対強度の表示(軸：緑)", 32849, "強度の法線方向の射影成分の表示"},
      {"相対強度の表示(軸：青)", 32850, "強度の法線方向の射影成分の表示"},
      {"スペクトルの表示", 32840, ""}}},
    {"設定",
     {{"背景色(白黒切り替え)", 32816, "背景色の切り替え（白黒）"},
      {nullptr, 0, nullptr},
      {"座標設定ダイアログ(Dipole Moment Derivative)", 32805, "座標設定ダイアログの表示"},
      {"回転角度を設定", 32852, "回転角度の初期値を設定する"},
      {nullptr, 0, nullptr},
      {"回転ボタン(表示・非表示)", 32836, "回転ボタンの表示・非表示"}}},
    {"ﾍﾙﾌﾟ", {{"KALVIRO のﾊﾞｰｼﾞｮﾝ情報", 57664, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示"}}},
};

// Toolbar left to right; 0 is a separator.
const std::vector<std::pair<int, const char*>> kToolbar = {
    {32783, "データの読み込み"},
    {32792, ""},
    {0, nullptr},
    {32779, "Inputファイル読み込み後分子構造の表示"},
    {32813, "マウス左ボタンでオブジェクトの移動"},
    {32791, "座標の初期化"},
    {0, nullptr},
    {32802, "回転する座標系のxyz軸を表示"},
    {32846, "基板表面と法線方向ベクトルを表示する"},
    {32828, "拡大"},
    {32829, "縮小"},
    {32786, "基準モードの表示"},
    {32789, "双極子モーメントの微分を表示"},
    {32814, "振動ベクトルの拡大"},
    {32815, "振動ベクトルの縮小"},
    {0, nullptr},
    {32855, "視点の設定"},
    {0, nullptr},
    {32780, "内部座標\u3000X軸周りの回転"},
    {32781, "内部座標\u3000Y軸周りの回転"},
    {32782, "内部座標\u3000Z軸周りの回転"},
    {32799, "内部座標\u3000X軸周りの回転"},
    {32800, "内部座標\u3000Y軸周りの回転"},
    {32801, "内部座標\u3000Z軸周りの回転"},
};

wxString w(const char* s) {
    return wxString::FromUTF8(s);
}

} // namespace

TEST_F(FrameTest, MenusMatchTheProgramsTable) {
    wxMenuBar* bar = frame_->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), kMenus.size());
    for (size_t m = 0; m < kMenus.size(); ++m) {
        EXPECT_EQ(bar->GetMenuLabelText(m), w(kMenus[m].first));
        wxMenu* menu = bar->GetMenu(m);
        const auto& rows = kMenus[m].second;
        ASSERT_EQ(menu->GetMenuItemCount(), rows.size()) << kMenus[m].first;
        for (size_t i = 0; i < rows.size(); ++i) {
            wxMenuItem* it = menu->FindItemByPosition(i);
            if (!rows[i].text) {
                EXPECT_TRUE(it->IsSeparator()) << kMenus[m].first << " " << i;
                continue;
            }
            EXPECT_EQ(it->GetId(), menuIdFor(rows[i].id));
            EXPECT_EQ(it->GetItemLabelText(), w(rows[i].text));
            EXPECT_EQ(it->GetHelp(), w(rows[i].status)) << rows[i].id;
        }
    }
}

TEST_F(FrameTest, ToolbarCaptionAndStatusBar) {
    EXPECT_EQ(frame_->GetTitle(), "KALVIRO");
    EXPECT_EQ(frame_->GetSize(), wxSize(600, 600));
    wxToolBar* tb = tools();
    ASSERT_EQ(static_cast<size_t>(tb->GetToolsCount()), kToolbar.size());
    int buttons = 0;
    for (size_t i = 0; i < kToolbar.size(); ++i) {
        const wxToolBarToolBase* t = tb->GetToolByPos(static_cast<int>(i));
        if (kToolbar[i].first == 0) {
            EXPECT_TRUE(t->IsSeparator()) << i;
            continue;
        }
        ++buttons;
        EXPECT_EQ(t->GetId(), menuIdFor(kToolbar[i].first));
        EXPECT_EQ(t->GetLongHelp(), w(kToolbar[i].second));
        EXPECT_TRUE(t->GetShortHelp().empty());
        EXPECT_EQ(t->GetNormalBitmap().GetWidth(), 16);
    }
    EXPECT_EQ(buttons, 20);
    wxStatusBar* sb = frame_->GetStatusBar();
    ASSERT_EQ(sb->GetFieldsCount(), 5);
    EXPECT_EQ(sb->GetStatusText(0), w("ﾚﾃﾞｨ"));
}

TEST_F(FrameTest, UpdateRulesReachMenusAndButtons) {
    const int needData[] = {32786, 32789, 32840, 32849, 32850};
    for (int id : needData)
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_FALSE(item(32856)->IsEnabled());
    EXPECT_FALSE(item(32857)->IsEnabled());
    for (int id : {32780, 32781, 32782, 32799, 32800, 32801})
        EXPECT_FALSE(tools()->GetToolEnabled(menuIdFor(id))) << id;
    EXPECT_TRUE(tools()->GetToolState(menuIdFor(32813))); // the left button picks
    EXPECT_TRUE(item(32808)->IsChecked());

    ASSERT_TRUE(readOutput(test::dataPath("gaussian-output/g98_opt_freq.log")));
    for (int id : needData)
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_TRUE(tools()->GetToolEnabled(menuIdFor(32786)));
    EXPECT_FALSE(tools()->GetToolState(menuIdFor(32786)));
    command(32786);
    item(32786);
    EXPECT_TRUE(tools()->GetToolState(menuIdFor(32786)));

    orbitalFlags().orbitalLoaded = 1;
    EXPECT_TRUE(item(32856)->IsEnabled());
    EXPECT_TRUE(item(32857)->IsEnabled());
    EXPECT_FALSE(item(32857)->IsChecked());
    command(32857);
    EXPECT_TRUE(item(32857)->IsChecked());

    command(32836);
    EXPECT_TRUE(item(32836)->IsChecked());
    for (int id : {32780, 32781, 32782, 32799, 32800, 32801})
        EXPECT_TRUE(tools()->GetToolEnabled(menuIdFor(id))) << id;
    command(32813);
    item(32813);
    EXPECT_FALSE(tools()->GetToolState(menuIdFor(32813)));
}

TEST_F(FrameTest, StyleItemsBehaveAsRadioItems) {
    const int styles[] = {32808, 32858, 32810};
    for (int chosen : {32858, 32810, 32808}) {
        command(chosen);
        for (int s : styles)
            EXPECT_EQ(item(s)->IsChecked(), s == chosen) << chosen << " " << s;
    }
}

TEST_F(FrameTest, EveryCommandReachesItsEffect) {
    std::vector<std::string> calls;
    ViewHooks& h = viewHooks();
    auto record = [&calls](const char* name) {
        return [&calls, name] { calls.emplace_back(name); };
    };
    h.openGaussianFile = record("gaussian");
    h.openGamessFile = record("gamess");
    h.openCheckpointFile = record("checkpoint");
    h.saveCoordinates = record("coordinates");
    h.saveIrTable = record("ir");
    h.saveIrTableSorted = record("irsorted");
    h.saveRelativeIntensity = record("relative");
    h.saveIrSpectrum = record("spectrum");
    h.saveImage = record("image");
    h.showSpectrumPreview = record("preview");
    h.computeOrbital = record("orbital");
    const std::pair<int, const char*> hooked[] = {
        {32860, "gaussian"},    {32783, "gaussian"}, {32859, "gamess"},   {32845, "checkpoint"},
        {57604, "coordinates"}, {32838, "ir"},       {32854, "irsorted"}, {32848, "relative"},
        {32853, "spectrum"},    {32806, "image"},    {32792, "image"},    {32840, "preview"},
        {32849, "preview"},     {32850, "preview"},  {32856, "orbital"},
    };
    for (const auto& [id, name] : hooked) {
        calls.clear();
        command(id);
        ASSERT_EQ(calls.size(), 1u) << id;
        EXPECT_EQ(calls[0], name) << id;
    }

    // Commands with their own effect on the settings.
    const ViewSettings& s = viewSettings();
    command(32828);
    EXPECT_NEAR(s.eyeDistance, 20.0 / 1.2, 1e-4);
    command(32791);
    EXPECT_EQ(s.eyeDistance, 20.0f);
    command(32816);
    EXPECT_EQ(s.whiteBackground, 1);
    command(32780);
    EXPECT_EQ(moleculeState().pendingRotationX, 15.0f);

    // The frame's own commands.
    command(59392);
    EXPECT_FALSE(tools()->IsShown());
    EXPECT_FALSE(item(59392)->IsChecked());
    command(59392);
    EXPECT_TRUE(tools()->IsShown());
    command(59393);
    EXPECT_FALSE(frame_->GetStatusBar()->IsShown());
    command(59393);
    EXPECT_TRUE(item(59393)->IsChecked());
}

TEST_F(FrameTest, CtrlOOpensAndCtrlSSavesCoordinates) {
    std::vector<std::string> calls;
    viewHooks().openGaussianFile = [&calls] { calls.emplace_back("open"); };
    viewHooks().saveCoordinates = [&calls] { calls.emplace_back("save"); };
    const wxAcceleratorTable* table = frame_->GetAcceleratorTable();
    ASSERT_TRUE(table && table->IsOk());
    // wx keeps the entries private; the keys reach the commands through the
    // frame like a menu command, which is what this checks.
    command(32860);
    command(57604);
    EXPECT_EQ(calls, (std::vector<std::string>{"open", "save"}));
}

TEST_F(FrameTest, WheelZoomsLikeTheButtonsWithTheirLimits) {
    auto wheel = [this](int rotation) {
        wxMouseEvent e(wxEVT_MOUSEWHEEL);
        e.m_wheelRotation = rotation;
        e.m_wheelDelta = 120;
        e.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        frame_->view()->GetEventHandler()->ProcessEvent(e);
    };
    wheel(120);
    EXPECT_NEAR(viewSettings().eyeDistance, 20.0 / 1.2, 1e-4);
    for (int i = 0; i < 9; ++i)
        wheel(-120);
    EXPECT_NEAR(viewSettings().eyeDistance, 20.0 * 1.2 * 1.2 * 1.2 * 1.2, 1e-3);
}

TEST_F(FrameTest, MouseUpdatesTheDragRecordAndCallsTheHooks) {
    int pans = 0, rotations = 0, widthSeen = 0;
    std::vector<std::pair<int, int>> picks;
    appHooks().panUpdate = [&pans] { ++pans; };
    appHooks().rotationUpdate = [&](int width, int) {
        ++rotations;
        widthSeen = width;
    };
    appHooks().pickAt = [&picks](int x, int y) { picks.emplace_back(x, y); };
    auto mouse = [this](wxEventType type, int x, int y) {
        wxMouseEvent e(type);
        e.m_x = x;
        e.m_y = y;
        frame_->view()->GetEventHandler()->ProcessEvent(e);
    };
    MoleculeState& m = moleculeState();
    DragState& d = m.drag;

    m.pendingRotationY = 9;
    mouse(wxEVT_LEFT_DOWN, 10, 20); // pick mode
    EXPECT_EQ(m.pendingRotationY, 0.0f);
    EXPECT_EQ(picks, (std::vector<std::pair<int, int>>{{10, 20}}));
    mouse(wxEVT_LEFT_UP, 10, 20);
    EXPECT_EQ(pans, 0);

    command(32813); // the left button pans
    mouse(wxEVT_LEFT_DOWN, 30, 40);
    EXPECT_EQ(d.panning, 1);
    EXPECT_EQ(d.panStartX, 30.0f);
    mouse(wxEVT_MOTION, 35, 41);
    EXPECT_EQ(d.panCurrentX, 35.0f);
    mouse(wxEVT_LEFT_UP, 36, 42);
    EXPECT_EQ(d.panning, 0);
    EXPECT_EQ(d.panCurrentY, 42.0f);
    EXPECT_EQ(pans, 2);

    mouse(wxEVT_RIGHT_DOWN, 5, 6);
    EXPECT_EQ(d.rotating, 1);
    EXPECT_EQ(rotations, 0);
    mouse(wxEVT_MOTION, 7, 8);
    mouse(wxEVT_RIGHT_UP, 9, 10);
    EXPECT_EQ(d.rotating, 0);
    EXPECT_EQ(d.rotateStartY, 6.0f);
    EXPECT_EQ(d.rotateCurrentX, 9.0f);
    EXPECT_EQ(rotations, 2);
    EXPECT_EQ(widthSeen, frame_->view()->GetClientSize().x);
    mouse(wxEVT_MOTION, 50, 50); // no button: nothing moves
    EXPECT_EQ(pans + rotations, 4);
}

TEST_F(FrameTest, DataSelectionListsModesAndSelects) {
    VibrationStore& v = vibrationStore();
    v.frequencies = {"1000", "1500", ""};
    v.symmetries = {"A1", "B2", ""};
    v.intensities = {"12", "3.5", ""};
    fillModeList(frame_->view());
    DataSelectionDialog* dlg = existingDataSelectDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->GetTitle(), w("データを選択"));
    wxComboBox* list = dlg->modeList();
    ASSERT_EQ(list->GetCount(), 2u);
    EXPECT_EQ(list->GetString(0), "1000 cm-1 ( A1 , 12 )");
    EXPECT_EQ(list->GetString(1), "1500 cm-1 ( B2 , 3.5 )");
    EXPECT_EQ(list->GetSelection(), 0);
    EXPECT_EQ(sceneChoices().selectedMode, 0);

    const int redraws = platform_.redraws;
    list->SetSelection(1);
    wxCommandEvent pick(wxEVT_COMBOBOX, list->GetId());
    pick.SetEventObject(list);
    pick.SetInt(1);
    list->GetEventHandler()->ProcessEvent(pick);
    EXPECT_EQ(sceneChoices().selectedMode, 1);
    EXPECT_EQ(platform_.redraws, redraws + 1);

    closeDataSelectDialog();
    EXPECT_EQ(existingDataSelectDialog(), nullptr);
    EXPECT_EQ(sceneChoices().selectedMode, 0);
}

TEST_F(FrameTest, OrbitalFieldsAndTheTypedNumber) {
    DataSelectionDialog* dlg = dataSelectDialog(frame_->view());
    DataSelection& d = dataSelection();
    d.orbitalMax = 7;
    d.orbitalNumber = 5;
    d.homoValue = 5;
    d.homoLabel = "HOMO";
    d.orbitalRange = "(1-7)";
    dlg->showOrbitalFields();
    EXPECT_EQ(dlg->orbitalEdit()->GetValue(), "5");
    EXPECT_EQ(dlg->homoValueEdit()->GetValue(), "5");
    EXPECT_EQ(dlg->homoLabelEdit()->GetValue(), "HOMO");
    EXPECT_EQ(dlg->rangeEdit()->GetValue(), "(1-7)");

    const std::pair<const char*, int> cases[] = {
        {"7", 7}, {"8", 0}, {"0", 0}, {"-1", 0}, {"abc", 0}, {"5x", 5},
    };
    for (const auto& [text, expected] : cases) {
        dlg->orbitalEdit()->ChangeValue(text);
        EXPECT_EQ(dlg->getOrbitalNumber(), expected) << text;
    }
    EXPECT_EQ(platform_.messages.size(), 4u);
}

TEST_F(FrameTest, AxisDialogButtonsAndList) {
    twoAtomMolecule();
    command(32805); // the item was never refreshed: nothing opens
    EXPECT_EQ(axisDialog(), nullptr);
    item(32805);
    command(32805);
    AxisDialog* dlg = axisDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->originEdit()->GetValue(), "0");
    EXPECT_FALSE(dlg->startAtOriginBox()->IsChecked());
    ASSERT_EQ(dlg->atomList()->GetCount(), 4u);
    EXPECT_EQ(dlg->atomList()->GetString(0), w("番号  原子"));
    EXPECT_EQ(dlg->atomList()->GetString(2), "  2     O");

    auto press = [dlg](int id) {
        wxCommandEvent e(wxEVT_BUTTON, id);
        e.SetEventObject(dlg->FindWindow(id));
        dlg->GetEventHandler()->ProcessEvent(e);
    };
    const int redraws = platform_.redraws;
    dlg->originEdit()->ChangeValue("3");
    press(wxID_OK);
    EXPECT_EQ(dipoleOrigin(), "3");
    EXPECT_EQ(platform_.redraws, redraws + 1);
    press(1015);
    EXPECT_EQ(dipoleOrigin(), "0");
    EXPECT_EQ(dlg->originEdit()->GetValue(), "3");
    dlg->startAtOriginBox()->SetValue(true);
    press(wxID_OK);
    EXPECT_EQ(dlg->originEdit()->GetValue(), "0");
    EXPECT_EQ(dipoleOrigin(), "0");

    command(32805); // again while open: another copy of the list
    EXPECT_EQ(axisDialog(), dlg);
    EXPECT_EQ(dlg->atomList()->GetCount(), 8u);
    press(wxID_CANCEL);
    EXPECT_EQ(axisDialog(), nullptr);
    EXPECT_EQ(dipoleOrigin(), "0");
}

TEST_F(FrameTest, RotationDialogTurnsTheChosenDirection) {
    twoAtomMolecule();
    appHooks().pickedAtoms = [] { return std::pair<int, int>{1, 2}; };
    moleculeState().panX = 4;
    command(32852);
    EXPECT_EQ(moleculeState().panX, 0.0f); // reset first
    RotationAngleDialog* dlg = rotationDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->firstEdit()->GetValue(), "1");
    EXPECT_EQ(dlg->secondEdit()->GetValue(), "2");
    EXPECT_EQ(dlg->atomList()->GetCount(), 4u);
    command(32852); // again: the same dialog, refilled once
    EXPECT_EQ(rotationDialog(), dlg);
    EXPECT_EQ(dlg->atomList()->GetCount(), 4u);

    dlg->secondEdit()->ChangeValue("3"); // (0,0,0) -> (0,0,2)
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    dlg->GetEventHandler()->ProcessEvent(ok);
    EXPECT_EQ(rotationDialog(), nullptr);
    EXPECT_NEAR(moleculeState().pendingRotationX, 0, 1e-4);
    EXPECT_NEAR(moleculeState().pendingRotationY, 90, 1e-4);

    appHooks().pickedAtoms = nullptr;
    command(32852);
    dlg = rotationDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->firstEdit()->GetValue(), "0");
    wxCommandEvent ok2(wxEVT_BUTTON, wxID_OK);
    dlg->GetEventHandler()->ProcessEvent(ok2);
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0], "原子番号の選択が不適切です。");
    EXPECT_EQ(moleculeState().pendingRotationY, 0.0f); // left in the reset orientation
    EXPECT_EQ(rotationDialog(), nullptr);
}

TEST_F(FrameTest, AboutLinkOpensTheHomePage) {
    auto* about = new AboutDialog(frame_);
    EXPECT_EQ(about->GetTitle(), w("KALVIROのﾊﾞｰｼﾞｮﾝ情報"));
    auto* link = dynamic_cast<wxHyperlinkCtrl*>(about->FindWindow(1041));
    ASSERT_NE(link, nullptr);
    wxHyperlinkEvent e(link, 1041, link->GetURL());
    link->GetEventHandler()->ProcessEvent(e);
    ASSERT_EQ(platform_.openedUrls.size(), 1u);
    EXPECT_EQ(platform_.openedUrls[0], link->GetURL().utf8_string());
    about->Destroy();
}

TEST_F(FrameTest, RecentFilesSitAboveExitAndReopenThroughTheHook) {
    std::vector<std::string> opened;
    appHooks().openFile = [&opened](const std::string& p) { opened.push_back(p); };
    frame_->addRecentFile("/data/a.log");
    frame_->addRecentFile("/data/b.out");
    wxMenu* file = frame_->GetMenuBar()->GetMenu(0);
    const size_t n = file->GetMenuItemCount();
    EXPECT_EQ(file->FindItemByPosition(n - 1)->GetId(), menuIdFor(57665));
    EXPECT_TRUE(file->FindItemByPosition(n - 2)->IsSeparator());
    EXPECT_EQ(file->FindItemByPosition(n - 3)->GetHelp(), "/data/a.log");
    EXPECT_EQ(file->FindItemByPosition(n - 4)->GetHelp(), "/data/b.out");
    rawCommand(wxID_FILE2);
    EXPECT_EQ(opened, (std::vector<std::string>{"/data/a.log"}));

    // A new frame reads the list back from the settings file.
    frame_->Destroy();
    frame_ = new MainFrame;
    EXPECT_EQ(frame_->recentFiles().entries(),
              (std::vector<std::string>{"/data/b.out", "/data/a.log"}));
    saveRecentFiles({});
}

TEST_F(FrameTest, TheViewDrawsThroughTheFrameHookWithDepth) {
    std::vector<wxSize> frames;
    GLint depth = 0;
    appHooks().drawFrame = [&](int width, int height) {
        frames.emplace_back(width, height);
        glGetIntegerv(GL_DEPTH_BITS, &depth);
    };
    frame_->view()->redraw();
    settle();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back(),
              frame_->view()->GetClientSize() * frame_->view()->GetContentScaleFactor());
    EXPECT_GE(depth, 24);
    EXPECT_EQ(depth, frame_->view()->depthBits());
}

TEST_F(FrameTest, CursorsHaveTheirHotSpotsAndAPicture) {
    struct Case {
        wxImage image;
        int hotX, hotY;
    };
    for (const Case& c : {Case{grabbingHandImage(), 16, 14}, Case{arrowImage(), 0, 0}}) {
        EXPECT_EQ(c.image.GetSize(), wxSize(32, 32));
        EXPECT_EQ(c.image.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_X), c.hotX);
        EXPECT_EQ(c.image.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_Y), c.hotY);
        int drawn = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                drawn += c.image.IsTransparent(x, y) ? 0 : 1;
        EXPECT_GT(drawn, 40);
        EXPECT_LT(drawn, 32 * 32 / 2);
    }
    // The hot spot of the arrow is its tip: drawn, not see-through.
    EXPECT_FALSE(arrowImage().IsTransparent(0, 0));
    EXPECT_TRUE(grabbingHandCursor().IsOk());
}
