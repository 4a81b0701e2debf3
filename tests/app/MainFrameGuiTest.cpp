#include <gtest/gtest.h>

#include <GL/gl.h>
#include <wx/wx.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "GuiSupport.h"
#include "app/AboutDialog.h"
#include "app/AppConfig.h"
#include "app/AxisDialog.h"
#include "app/DataSelectionDialog.h"
#include "document/FileOpening.h"
#include "document/IsotopeChange.h"
#include "app/FileReadProgress.h"
#include "app/FrameLayout.h"
#include "app/IsotopeDialog.h"
#include "app/KalviroApp.h"
#include "app/RotationAngleDialog.h"
#include "app/SpectrumPreviewDialog.h"
#include "app/SpectrumWindow.h"
#include "ir/SpectrumPlot.h"
#include "model/NumberText.h"
#include "document/PickedAtoms.h"
#include "document/ViewSettings.h"
#include "model/VibrationStore.h"
#include "platform/ProgramVersion.h"
#include "render/GlHarness.h"
#include "document/SceneChoices.h"

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

void settle() { test::runPendingEvents(3); }

// The main window shown over a fresh document; wired as the program starts
// it when `wired`. `settle` runs the pending events after the window appears
// and after it goes, before the state is dropped.
class FrameTest : public test::DocumentTest {
  protected:
    explicit FrameTest(bool wired = false, void (*settleEvents)() = settle)
        : wired_(wired), settle_(settleEvents) {}
    void SetUp() override {
        DocumentTest::SetUp();
        doc.scene.dipoleOrigin = "-1";
        frame_ = new MainFrame(doc);
        frame_->Show();
        if (wired_)
            wireProgram(frame_);
        settle_();
    }
    void TearDown() override {
        test::closeDialogsAndDestroy(frame_);
        settle_();
        DocumentTest::TearDown();
    }
    void command(int id) { test::sendMenu(frame_, menuIdFor(id)); }
    void twoAtomMolecule() {
        MoleculeState& m = doc.molecule;
        m.atoms = {test::atomAt("C", 0, 0, 0), test::atomAt("O", 0, 3, 0),
                   test::atomAt("H", 0, 0, 2)};
        for (Atom& a : m.atoms)
            a.keepPosition(); // the rotation dialog's reset goes back to these
    }
    void mouse(wxEventType type, int x, int y) {
        wxMouseEvent e(type);
        e.SetPosition(wxPoint(x, y));
        e.SetEventObject(frame_->view());
        frame_->view()->GetEventHandler()->ProcessEvent(e);
    }
    MainFrame* frame_ = nullptr;
    bool wired_;
    void (*settle_)();
};

} // namespace

TEST_F(FrameTest, WheelZoomsLikeTheButtons) {
    for (auto [rotation, distance] : {std::pair{120, 20.0 / 1.2}, {-120, 20.0}, {-120, 20.0 * 1.2}}) {
        wxMouseEvent e(wxEVT_MOUSEWHEEL);
        e.m_wheelRotation = rotation;
        e.m_wheelDelta = 120;
        e.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        frame_->view()->GetEventHandler()->ProcessEvent(e);
        EXPECT_NEAR(doc.view.eyeDistance, distance, 1e-4) << rotation;
    }
}

TEST_F(FrameTest, MouseUpdatesTheDragRecordAndCallsTheActions) {
    int pans = 0, rotations = 0, widthSeen = 0;
    std::vector<std::pair<int, int>> picks;
    ViewActions& actions = frame_->view()->actions();
    actions.panUpdate = [&pans] { ++pans; };
    actions.rotationUpdate = [&](int width, int) { ++rotations, widthSeen = width; };
    actions.pickAt = [&picks](int x, int y) { picks.emplace_back(x, y); };
    MoleculeState& m = doc.molecule;
    DragState& d = m.drag;

    m.pendingRotationY = 9;
    mouse(wxEVT_LEFT_DOWN, 10, 20); // pick mode
    EXPECT_EQ(m.pendingRotationY, 0.0f);
    EXPECT_EQ(picks, (std::vector<std::pair<int, int>>{{10, 20}}));
    mouse(wxEVT_LEFT_UP, 10, 20);
    EXPECT_EQ(pans, 0);

    command(32813); // the left button pans
    mouse(wxEVT_LEFT_DOWN, 30, 40);
    EXPECT_EQ(std::tuple(d.panning, d.panStartX), std::tuple(1, 30.0f));
    mouse(wxEVT_MOTION, 35, 41);
    EXPECT_EQ(d.panCurrentX, 35.0f);
    mouse(wxEVT_LEFT_UP, 36, 42);
    EXPECT_EQ(std::tuple(d.panning, d.panCurrentY, pans), std::tuple(0, 42.0f, 2));

    mouse(wxEVT_RIGHT_DOWN, 5, 6);
    EXPECT_EQ(std::tuple(d.rotating, rotations), std::tuple(1, 0));
    mouse(wxEVT_MOTION, 7, 8);
    mouse(wxEVT_RIGHT_UP, 9, 10);
    EXPECT_EQ(std::tuple(d.rotating, d.rotateStartY, d.rotateCurrentX, rotations),
              std::tuple(0, 6.0f, 9.0f, 2));
    EXPECT_EQ(widthSeen, frame_->view()->GetClientSize().x);
    mouse(wxEVT_MOTION, 50, 50); // no button: nothing moves
    EXPECT_EQ(pans + rotations, 4);
}

TEST_F(FrameTest, DataSelectionSelectsAModeAndForgetsItOnClosing) {
    VibrationStore& v = doc.vibrations;
    v.frequencies = {"1000", "1500", ""};
    v.symmetries = {"A1", "B2", ""};
    v.intensities = {"12", "3.5", ""};
    fillModeList(frame_->ensureDataSelectionDialog(), doc.vibrations);
    DataSelectionDialog* dlg = frame_->dataSelectionDialog();
    ASSERT_NE(dlg, nullptr);
    wxComboBox* list = dlg->modeList();
    ASSERT_EQ(list->GetCount(), 2u); // the empty frequency is left out
    EXPECT_EQ(list->GetSelection(), 0);

    const int redraws = platform_.redraws;
    list->SetSelection(1);
    test::chooseEntry(list, 1);
    EXPECT_EQ(doc.scene.selectedMode, 1);
    EXPECT_EQ(platform_.redraws, redraws + 1);
    frame_->closeDataSelectionDialog();
    EXPECT_EQ(frame_->dataSelectionDialog(), nullptr);
    EXPECT_EQ(doc.scene.selectedMode, 0);
}

TEST_F(FrameTest, AxisDialogButtonsAndList) {
    twoAtomMolecule();
    frame_->UpdateWindowUI(wxUPDATE_UI_RECURSE); // the command opens only a refreshed item
    command(32805);
    AxisDialog* dlg = frame_->axisDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->originEdit()->GetValue(), "0");
    EXPECT_FALSE(dlg->startAtOriginBox()->IsChecked());
    ASSERT_EQ(dlg->atomList()->GetCount(), 4u);
    EXPECT_EQ(dlg->atomList()->GetString(2), "  2     O");

    // OK takes the typed atom, 1015 the origin (the field keeps its text), the
    // box empties the field too; each press redraws.
    const struct {
        bool box;
        int button;
        const char *origin, *field;
    } presses[] = {{false, wxID_OK, "3", "3"}, {false, 1015, "0", "3"}, {true, wxID_OK, "0", "0"}};
    for (const auto& p : presses) {
        const int redraws = platform_.redraws;
        dlg->originEdit()->ChangeValue("3");
        dlg->startAtOriginBox()->SetValue(p.box);
        test::pressButton(dlg, p.button);
        EXPECT_EQ(doc.scene.dipoleOrigin, p.origin) << p.button;
        EXPECT_EQ(dlg->originEdit()->GetValue(), p.field) << p.button;
        EXPECT_EQ(platform_.redraws, redraws + 1) << p.button;
    }

    command(32805); // again while open: another copy of the list
    EXPECT_EQ(frame_->axisDialog(), dlg);
    EXPECT_EQ(dlg->atomList()->GetCount(), 8u);
    test::pressButton(dlg, wxID_CANCEL);
    EXPECT_EQ(frame_->axisDialog(), nullptr);
    EXPECT_EQ(doc.scene.dipoleOrigin, "0");
}

TEST_F(FrameTest, RotationDialogTurnsTheChosenDirection) {
    twoAtomMolecule();
    doc.picked.slots[0] = 1;
    doc.picked.slots[1] = 2;
    doc.molecule.panX = 4;
    command(32852);
    EXPECT_EQ(doc.molecule.panX, 0.0f); // reset first
    RotationAngleDialog* dlg = frame_->rotationDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->firstEdit()->GetValue() + "," + dlg->secondEdit()->GetValue(), "1,2");
    command(32852); // again: the same dialog, refilled once
    EXPECT_EQ(frame_->rotationDialog(), dlg);
    EXPECT_EQ(dlg->atomList()->GetCount(), 4u);

    dlg->secondEdit()->ChangeValue("3"); // (0,0,0) -> (0,0,2)
    test::pressButton(dlg, wxID_OK);
    EXPECT_EQ(frame_->rotationDialog(), nullptr);
    EXPECT_NEAR(doc.molecule.pendingRotationX, 0, 1e-4);
    EXPECT_NEAR(doc.molecule.pendingRotationY, 90, 1e-4);

    doc.picked.clear(); // without picks the fields start at 0
    command(32852);
    ASSERT_NE(frame_->rotationDialog(), nullptr);
    EXPECT_EQ(frame_->rotationDialog()->firstEdit()->GetValue(), "0");
}

TEST_F(FrameTest, AboutBoxShowsTheVersion) {
    auto* about = new AboutDialog(frame_);
    EXPECT_EQ(about->GetTitle(), wxString::FromUTF8("KALVIROのﾊﾞｰｼﾞｮﾝ情報"));
    bool versionShown = false;
    for (wxWindow* child : about->GetChildren())
        if (auto* text = dynamic_cast<wxStaticText*>(child))
            versionShown |= text->GetLabel().utf8_string() ==
                            std::string("KALVIRO バージョン ") + programVersion();
    EXPECT_TRUE(versionShown);
    about->Destroy();
}

// Every command of the table answers its menu item, whatever its id.
TEST_F(FrameTest, EveryCommandReachesTheFrame) {
    for (const ViewCommand& row : frame_->commands().rows()) {
        wxUpdateUIEvent e(menuIdFor(row.id));
        e.SetEventObject(frame_);
        EXPECT_TRUE(frame_->ProcessWindowEvent(e)) << row.id;
    }
    wxUpdateUIEvent unbound(menuIdFor(31999));
    unbound.SetEventObject(frame_);
    EXPECT_FALSE(frame_->ProcessWindowEvent(unbound));
}

TEST_F(FrameTest, RecentFilesSitAboveExitAndReopen) {
    frame_->addRecentFile("/data/a.log");
    frame_->addRecentFile("/data/b.out");
    wxMenu* file = frame_->GetMenuBar()->GetMenu(0);
    const size_t n = file->GetMenuItemCount();
    EXPECT_EQ(file->FindItemByPosition(n - 1)->GetId(), menuIdFor(57665));
    EXPECT_TRUE(file->FindItemByPosition(n - 2)->IsSeparator());
    EXPECT_EQ(file->FindItemByPosition(n - 3)->GetHelp(), "/data/a.log");
    EXPECT_EQ(file->FindItemByPosition(n - 4)->GetHelp(), "/data/b.out");
    test::sendMenu(frame_, wxID_FILE2); // there is no such file: the open says so
    ASSERT_EQ(platform_.messages.size(), 1u);

    // A new frame reads the list back from the settings file.
    frame_->Destroy();
    frame_ = new MainFrame(doc);
    EXPECT_EQ(frame_->recentFiles().entries(),
              (std::vector<std::string>{"/data/b.out", "/data/a.log"}));
    saveRecentFiles({});
}

TEST_F(FrameTest, TheViewDrawsThroughItsActionWithDepth) {
    std::vector<wxSize> frames;
    GLint depth = 0;
    frame_->view()->actions().drawFrame = [&](int width, int height) {
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

namespace {

void settleEvents() { test::runPendingEvents(5, 10); }

// The real frame with everything wired, as the program starts it.
class ProgramTest : public FrameTest {
  protected:
    ProgramTest() : FrameTest(true, settleEvents) {}
    void TearDown() override {
        FrameTest::TearDown();
        saveRecentFiles({}); // the opened files leave no trace for the next tests
    }
    void command(int id) {
        frame_->UpdateWindowUI(wxUPDATE_UI_RECURSE); // as opening a menu does
        FrameTest::command(id);
        settleEvents();
    }
    // Opens the bundled example through "開く(*.dat/*.out/*.log)" or the
    // toolbar's "データの読み込み".
    void openExample(int id = cmd::OpenGaussian) {
        platform_.openAnswers.push_back(test::examplePath("formaldehyde_opt_freq.log"));
        command(id);
        ASSERT_EQ(doc.atomCount(), 4);
    }
    void click(wxPoint at) {
        mouse(wxEVT_LEFT_DOWN, at.x, at.y);
        mouse(wxEVT_LEFT_UP, at.x, at.y);
    }

    test::TempDir dir_;
};

TEST_F(ProgramTest, OpeningTheExampleFillsTheModeListTheRecentFilesAndTheOrbitals) {
    openExample();
    ASSERT_EQ(platform_.openRequests.size(), 1u);
    EXPECT_NE(platform_.openRequests[0].filter.find("*.log"), std::string::npos);
    DataSelectionDialog* dlg = frame_->dataSelectionDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->IsShown());
    // Six modes of formaldehyde, in file order, the first selected.
    const wxComboBox* list = dlg->modeList();
    ASSERT_EQ(list->GetCount(), 6u);
    EXPECT_EQ(list->GetString(0), "1335.9790 cm-1 ( B1 , 0.3680 )");
    EXPECT_EQ(list->GetString(5), "3231.9390 cm-1 ( B2 , 135.8960 )");
    EXPECT_EQ(list->GetSelection(), 0);
    // Beside the main window, wide enough for its texts, no "MO" group
    // before a checkpoint file.
    EXPECT_GT(dlg->GetScreenRect().GetLeft(), frame_->GetScreenRect().GetRight());
    EXPECT_LT(list->GetTextExtent(list->GetString(5)).x, list->GetSize().x - 20);
    EXPECT_FALSE(dlg->orbitalEdit()->IsShown());
    ASSERT_FALSE(frame_->recentFiles().entries().empty());
    EXPECT_EQ(frame_->recentFiles().entries()[0], test::examplePath("formaldehyde_opt_freq.log"));
    EXPECT_TRUE(platform_.messages.empty());

    // The same molecule's orbitals: laid over it, the modes kept.
    command(cmd::OpenCheckpoint); // cancelled: nothing happens
    EXPECT_EQ(doc.orbitalFlags.orbitalLoaded, 0);
    platform_.openAnswers.push_back(test::examplePath("formaldehyde_sto3g.FChk"));
    command(cmd::OpenCheckpoint);
    ASSERT_EQ(doc.orbitalFlags.orbitalLoaded, 1) << (platform_.messages.empty() ? "" : platform_.messages[0]);
    ASSERT_EQ(frame_->dataSelectionDialog(), dlg);
    EXPECT_EQ(dlg->rangeEdit()->GetValue(), "(1-12)");
    EXPECT_EQ(dlg->homoLabelEdit()->GetValue(), "HOMO");
    EXPECT_EQ(dlg->homoValueEdit()->GetValue(), "8"); // 16 electrons
    EXPECT_EQ(dlg->orbitalEdit()->GetValue(), "8");
    EXPECT_EQ(dlg->isoValueEdit()->GetValue(), "0.05");
    EXPECT_TRUE(dlg->isoValueEdit()->IsShown());
    EXPECT_EQ(list->GetCount(), 6u);
    EXPECT_EQ(doc.atomCount(), 4);

    // A file that cannot be read is reported by name; the molecule, its
    // modes, the list and the recent files stay.
    const double x = doc.molecule.atoms[1].x;
    const std::size_t recent = frame_->recentFiles().entries().size();
    frame_->openFile(dir_.path("gone.log"));
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0].rfind("ファイルが開けません: gone.log", 0), 0u);
    EXPECT_EQ(doc.molecule.atoms[1].x, x);
    EXPECT_EQ(doc.vibrations.modes.size(), 6u);
    EXPECT_EQ(frame_->dataSelectionDialog(), dlg);
    EXPECT_EQ(frame_->recentFiles().entries().size(), recent);

    // An input replaces it all: no arrows of the old modes on the new atoms.
    doc.view.modesShown = true;
    frame_->openFile(test::examplePath("formaldehyde_zmatrix.dat"));
    EXPECT_TRUE(doc.vibrations.modes.empty());
    EXPECT_FALSE(doc.view.modesShown);
    EXPECT_FALSE(frame_->commands().state(cmd::ShowModes).enabled);
    EXPECT_EQ(frame_->dataSelectionDialog(), nullptr);
}

TEST_F(ProgramTest, EveryOpenFitsTheMoleculeWithoutTurningIt) {
    const std::string cu2 = dir_.path("cu2.com");
    test::writeFileBytes(cu2, "#p\n\nCu2\n\n0 1\nCu 0 0 0\nCu 0 0 2.22\n");
    std::vector<std::string> files = {test::examplePath("formaldehyde_opt_freq.log"),
                                      test::examplePath("water_freq_only.log"), cu2};
    if (test::corpusAvailable())
        files.push_back((test::corpusDir() / "files/g09/dvb_ir.out").string());
    for (const std::string& file : files) {
        doc.zoom.zoom(1, doc.view); // the last file's zoom must not carry over
        frame_->openFile(file);
        ASSERT_GT(doc.atomCount(), 0u) << file;
        const Picture p = captureFrame(*frame_->view(), doc);
        ASSERT_GT(p.width, 0);
        // The lit box's longer side as a share of the picture's shorter one.
        const test::LitBox box = test::litBox(p);
        const double share = std::max(box.width(), box.height()) /
                             static_cast<double>(std::min(p.width, p.height));
        EXPECT_GE(share, 0.70) << file;
        EXPECT_LE(share, 0.90) << file;
        for (const Atom& a : doc.molecule.atoms)
            EXPECT_EQ(a.position(), a.loadedPosition) << file;
    }
    // The corpus output has no dipole derivatives: they come from the
    // checkpoint file beside it, and the status bar says so.
    if (test::corpusAvailable()) {
        EXPECT_TRUE(frame_->GetStatusBar()->GetStatusText(0).Contains("dvb_ir.fchk"));
        EXPECT_EQ(doc.vibrations.dipoleDerivatives.size(), 54u);
    }

    // Zoomed out, "全体表示" brings the fitted view back.
    const float fitted = doc.view.eyeDistance;
    command(cmd::ZoomOut);
    EXPECT_GT(doc.view.eyeDistance, fitted);
    command(cmd::FitView);
    frame_->view()->redraw(); // the recording platform draws nothing itself
    EXPECT_FLOAT_EQ(doc.view.eyeDistance, fitted);

    // Looking down x is a turn like any other: counted, and undone by the reset.
    command(cmd::ViewAlongX);
    frame_->view()->redraw();
    EXPECT_EQ(doc.molecule.rotationY, -90.0f);
    const Atom& a = doc.molecule.atoms[0];
    EXPECT_NEAR(a.z, a.loadedPosition.x, 1e-9);
    command(cmd::ResetCoordinates);
    frame_->view()->redraw();
    EXPECT_EQ(doc.molecule.rotationY, 0.0f);
    EXPECT_EQ(a.position(), a.loadedPosition);
}

TEST_F(ProgramTest, ClicksOnAtomsSelectThemAndMeasureInTheStatusBar) {
    openExample();
    frame_->view()->redraw();
    // Seen down C=O as read, the carbon hides behind the oxygen: O and an H.
    const auto o = test::atomOnScreen(*frame_->view(), doc.molecule, 1);
    const auto h = test::atomOnScreen(*frame_->view(), doc.molecule, 2);
    ASSERT_TRUE(o && h);
    click(*o);
    EXPECT_EQ(doc.picked.slots[0], 2);
    EXPECT_EQ(doc.molecule.atoms[1].selected, 1);
    click(*o); // the same atom again deselects it
    EXPECT_EQ(doc.picked.count, 0);
    EXPECT_EQ(doc.molecule.atoms[1].selected, 0);
    click(*o);
    click(*h);
    const std::vector<Atom>& atoms = doc.molecule.atoms;
    char expected[64];
    std::snprintf(expected, sizeof expected, "距離 2-3: %.4f Å",
                  test::distance(atoms[2].position(), atoms[1].position()));
    EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(0).utf8_string(), expected);
}

// Runs of pixels of colour c in column x of bitmap (the toolkit may round a
// channel by one).
int runsInColumn(const wxBitmap& bitmap, int x, const wxColour& c) {
    const wxImage image = bitmap.ConvertToImage();
    int runs = 0;
    for (int y = 0, inside = 0; y < image.GetHeight(); ++y) {
        const int hit = std::abs(image.GetRed(x, y) - c.Red()) <= 2 &&
                        std::abs(image.GetGreen(x, y) - c.Green()) <= 2 &&
                        std::abs(image.GetBlue(x, y) - c.Blue()) <= 2;
        runs += hit && !inside;
        inside = hit;
    }
    return runs;
}

TEST_F(ProgramTest, PreviewPlotsOneSpectrumOrSixProjectionsAndTheFilesAreWritten) {
    openExample();
    command(cmd::ProjectionGreen);
    SpectrumPreviewDialog* dlg = frame_->previewDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(doc.molecule.viewMode, 1);
    EXPECT_EQ(dlg->halfWidthEdit()->GetValue(), "2");
    EXPECT_EQ(doc.vibrations.spectrumReady, 1);
    const wxBitmap& plot = dlg->plot();
    ASSERT_TRUE(plot.IsOk());
    EXPECT_EQ(plot.GetSize(), dlg->plotFrame()->GetClientSize());
    // The curves' places are checked on a recording canvas in the preview's
    // own tests; here the six baselines cross the window, none in red.
    const int x = plot.GetWidth() * 3 / 4;
    EXPECT_EQ(runsInColumn(plot, x, *wxGREEN), 6);
    EXPECT_EQ(runsInColumn(plot, x, *wxRED), 0);

    // The plain spectrum has its own window.
    command(cmd::ShowSpectrum);
    EXPECT_EQ(frame_->previewDialog(), dlg);
    EXPECT_EQ(runsInColumn(dlg->plot(), x, *wxGREEN), 6);

    // "再計算" keeps the typed width for later calculations; Escape closes,
    // and the next dialog starts again from 2.
    dlg->halfWidthEdit()->SetValue("10");
    dlg->OnRecalculate();
    EXPECT_EQ(dlg->halfWidth(), 10);
    command(cmd::ProjectionBlue);
    EXPECT_EQ(dlg->halfWidth(), 10);
    EXPECT_EQ(doc.molecule.viewMode, 2);
    EXPECT_EQ(runsInColumn(dlg->plot(), x, *wxRED), 0);
    test::pressEscape(dlg);
    settleEvents();
    EXPECT_EQ(frame_->previewDialog(), nullptr);
    command(cmd::ProjectionGreen);
    ASSERT_NE(frame_->previewDialog(), nullptr);
    EXPECT_EQ(frame_->previewDialog()->halfWidthEdit()->GetValue(), "2");

    // With the spectrum and the relative intensities there, every save writes.
    const std::pair<int, const char*> saves[] = {
        {cmd::SaveCoordinates, "default.txt"},    {cmd::SaveIrTable, "ir.csv"},
        {cmd::SaveIrTableSorted, "irsorted.csv"}, {cmd::SaveRelativeIntensity, "spec.csv"},
        {cmd::SaveIrSpectrum, "IRSpec.csv"},      {cmd::SaveImageButton, "button.bmp"},
        {cmd::SaveShownSpectrum, "shown.png"},
    };
    for (const auto& [id, name] : saves) {
        const std::string path = dir_.path(name);
        platform_.openAnswers = {path};
        platform_.saveAnswers = {path};
        command(id);
        EXPECT_GT(std::filesystem::exists(path) ? std::filesystem::file_size(path) : 0, 20u) << id;
    }
    EXPECT_TRUE(platform_.messages.empty()) << platform_.messages.front();
    EXPECT_NE(test::readFileBytes(dir_.path("ir.csv")).find("1335.9790"), std::string::npos);
}

TEST_F(ProgramTest, SpectrumWindowShowsEveryBandAndAClickSelectsItsMode) {
    openExample();
    command(cmd::ShowSpectrum);
    SpectrumWindow* w = frame_->spectrumWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->shown() && w->plot().IsOk());
    const SpectrumGrid g = w->shown()->broadening.grid;
    for (double band : {2028.0, 3160.0, 3232.0}) {
        EXPECT_LT(g.from, band);
        EXPECT_GT(g.to, band);
    }
    EXPECT_EQ(w->GetTitle().utf8_string(), "IRスペクトル: formaldehyde_opt_freq.log");
    // The example prints no Raman activities: nothing of Raman can be chosen.
    EXPECT_FALSE(w->kindChoice()->IsEnabled());
    EXPECT_FALSE(w->ramanHeightChoice()->IsEnabled());
    EXPECT_FALSE(w->laserEdit()->IsEnabled());

    // The pointer's wavenumber, then a click on the strongest peak (3231.9 B2,
    // the list's last entry) selects it in the list and the view.
    const int x = plotPixelAt(3231.939, w->plotPanel()->GetClientSize().x, g.from, g.to);
    for (wxMouseEvent e : {wxMouseEvent(wxEVT_MOTION), wxMouseEvent(wxEVT_LEFT_DOWN)})
        e.SetPosition({x + 2, 100}), w->plotPanel()->GetEventHandler()->ProcessEvent(e);
    EXPECT_NE(w->pointerLabel()->GetLabel().utf8_string().find("cm⁻¹"), std::string::npos);
    EXPECT_EQ(doc.scene.selectedMode, 5);
    EXPECT_EQ(frame_->dataSelectionDialog()->modeList()->GetSelection(), 5);

    // A bad field is named and the plot stays; the user's range is kept when
    // the command comes again, until "全範囲".
    w->fromEdit()->SetValue("abc");
    EXPECT_FALSE(w->apply());
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_NE(platform_.messages[0].find("開始波数"), std::string::npos);
    EXPECT_EQ(w->shown()->broadening.grid.from, g.from);
    w->fromEdit()->SetValue("1800");
    w->toEdit()->SetValue("2200");
    EXPECT_TRUE(w->apply());
    command(cmd::ShowSpectrum);
    EXPECT_EQ(frame_->spectrumWindow(), w);
    EXPECT_EQ(w->fromEdit()->GetValue(), "1800");
    test::pressButton(w, SpectrumWindow::kFullRangeId);
    EXPECT_EQ(w->fromEdit()->GetValue().utf8_string(), formatG(g.from));

    // Measured spectra come and go through the menu.
    test::writeFileBytes(dir_.path("m.csv"), "2000,1\n3000,2\n");
    platform_.openAnswers = {dir_.path("m.csv")};
    command(cmd::OverlayMeasured);
    ASSERT_EQ(w->shown()->measured.size(), 1u);
    EXPECT_EQ(w->shown()->measured[0].name, "m.csv");
    command(cmd::ClearMeasured);
    EXPECT_TRUE(w->shown()->measured.empty());
}

TEST_F(ProgramTest, ProgressWindowNamesTheFileAndCancels) {
    const std::string path = dir_.path("big.log");
    test::writeFileBytes(path, std::string(1000, 'x'));
    FileReadProgress quick(frame_, path); // a reading that ends at once shows nothing
    EXPECT_TRUE(quick(500));
    EXPECT_EQ(quick.window(), nullptr);

    FileReadProgress slow(frame_, path, std::chrono::milliseconds(0));
    EXPECT_TRUE(slow(500));
    ASSERT_NE(slow.window(), nullptr);
    bool named = false;
    for (wxWindow* child : slow.window()->GetChildren())
        if (auto* text = dynamic_cast<wxStaticText*>(child))
            named = named || text->GetLabel() == "big.log";
    EXPECT_TRUE(named);
    test::pressButton(slow.window(), wxID_CANCEL);
    EXPECT_FALSE(slow(600));
    EXPECT_TRUE(slow.cancelled());
}

// The isotope dialog on divinylbenzene's checkpoint file, all H to 2H
// through its fields: Cancel changes nothing; OK shows in the mode list what
// the document function gives for the same list written here (the batch
// --isotope path).
TEST_F(ProgramTest, IsotopeDialogOkChangesTheModeListAndCancelDoesNot) {
    if (!test::corpusAvailable())
        GTEST_SKIP() << "no corpus";
    const std::string fchk = test::corpusFile("g09/dvb_ir.fchk");
    frame_->openFile(fchk);
    ASSERT_NE(frame_->dataSelectionDialog(), nullptr);
    const wxComboBox* list = frame_->dataSelectionDialog()->modeList();
    const auto highest = [&] { return std::stod(list->GetString(list->GetCount() - 1).ToStdString()); };
    const double before = highest();
    IsotopeDialog dlg(frame_, "", static_cast<int>(doc.atomCount()));
    dlg.atomsEdit()->SetValue("6-8, 11-13, 15, 17, 18, 20"); // the hydrogens
    dlg.isotopeEdit()->SetValue("D");
    ASSERT_TRUE(dlg.acceptFields());
    EXPECT_FALSE(frame_->answerIsotopeDialog(dlg, wxID_CANCEL));
    EXPECT_EQ(highest(), before);
    ASSERT_TRUE(frame_->answerIsotopeDialog(dlg, wxID_OK));

    Document batch;
    ASSERT_TRUE(openMoleculeFile(batch, fchk).read);
    ASSERT_TRUE(changeIsotopes(batch, "6=2H,7=2H,8=2H,11=2H,12=2H,13=2H,15=2H,17=2H,18=2H,20=2H", fchk));
    ASSERT_EQ(list->GetCount(), batch.vibrations.frequencies.size());
    for (unsigned k = 0; k < list->GetCount(); ++k)
        EXPECT_TRUE(list->GetString(k).StartsWith(batch.vibrations.frequencies[k] + " cm-1")) << k;
    // The highest C-H stretch becomes C-D: no mass more than doubles, so no
    // frequency falls below 1/sqrt(2) of its old value; H against a lone C
    // gives sqrt(mu_CH / mu_CD) = 0.732, which the C=C stretches, now
    // nearer, lift a little.
    EXPECT_GE(highest() / before, 1 / std::sqrt(2.0));
    EXPECT_LE(highest() / before, 0.76);
    EXPECT_TRUE(platform_.messages.empty());
}

TEST(StartupCommands, OnlyWholeCommandIdsAreRun) {
    const std::pair<const char*, std::vector<int>> cases[] = {
        {nullptr, {}},
        {"", {}},
        {"32786 32789\t32840", {32786, 32789, 32840}},
        {"abc 5x 70000 -3 0 32840", {32840}},
    };
    for (const auto& [text, ids] : cases)
        EXPECT_EQ(startupCommands(text), ids) << (text ? text : "(unset)");
}

} // namespace
