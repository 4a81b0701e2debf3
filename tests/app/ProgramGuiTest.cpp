#include <gtest/gtest.h>

#include <wx/wx.h>

#include <cstdlib>
#include <filesystem>

#include "GuiSupport.h"
#include "app/AxisDialog.h"
#include "app/DataSelectionDialog.h"
#include "app/KalviroApp.h"
#include "app/SpectrumPreviewDialog.h"
#include "app/RotationAngleDialog.h"
#include "app/FileReadProgress.h"
#include "app/FrameLayout.h"
#include "model/VibrationStore.h"
#include "document/OrbitalFlags.h"
#include "orbital/OrbitalTestSupport.h"
#include "document/PickedAtoms.h"
#include "document/ViewSettings.h"

using namespace kalviro;

namespace {

void settleEvents() {
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        wxMilliSleep(10);
    }
}

// The real frame with everything wired, as the program starts it.
class ProgramTest : public test::FrameFixture {
  protected:
    ProgramTest() : FrameFixture(true, settleEvents) {}
    void command(int id) {
        frame_->UpdateWindowUI(wxUPDATE_UI_RECURSE); // as opening a menu does
        test::sendMenu(frame_, menuIdFor(id));
        settleEvents();
    }
    // Opens the bundled example through "開く(*.dat/*.out/*.log)" or the
    // toolbar's "データの読み込み".
    void openExample(int id = cmd::OpenGaussian) {
        platform_.openAnswers.push_back(test::examplePath("formaldehyde_opt_freq.log"));
        command(id);
        ASSERT_EQ(atomCount(), 4);
    }
    void click(int x, int y) {
        MoleculeView* view = frame_->view();
        for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
            wxMouseEvent e(type);
            e.SetPosition(wxPoint(x, y));
            e.SetEventObject(view);
            view->GetEventHandler()->ProcessEvent(e);
        }
    }

    test::TempDir dir_;
};

TEST_F(ProgramTest, OpeningTheExampleFillsTheModeListAndTheRecentFiles) {
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
    ASSERT_FALSE(frame_->recentFiles().entries().empty());
    EXPECT_EQ(frame_->recentFiles().entries()[0], test::examplePath("formaldehyde_opt_freq.log"));
    EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(ProgramTest, AMissingFileIsReportedAndTheMoleculeStays) {
    openExample();
    const double x = moleculeState().atoms[1].x;
    const std::size_t recent = frame_->recentFiles().entries().size();
    frame_->openFile(dir_.path("gone.log"));
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0], "ファイルが開けません");
    ASSERT_EQ(atomCount(), 4);
    EXPECT_EQ(moleculeState().atoms[1].x, x);
    EXPECT_NE(frame_->dataSelectionDialog(), nullptr); // the analysis was not reset
    EXPECT_EQ(frame_->recentFiles().entries().size(), recent);
}

TEST_F(ProgramTest, AClickOnAnAtomSelectsIt) {
    openExample();
    frame_->view()->redraw();
    // Where the oxygen (atom 2) lands on the screen.
    ASSERT_EQ(moleculeState().atoms[1].symbol, "O");
    const auto at = test::atomOnScreen(*frame_->view(), 1);
    ASSERT_TRUE(at);
    const int x = at->x, y = at->y;

    click(x, y);
    EXPECT_EQ(pickedAtoms().slots[0], 2);
    EXPECT_EQ(pickedAtoms().count, 1);
    EXPECT_EQ(moleculeState().atoms[1].selected, 1);
    click(x, y); // the same atom again deselects it
    EXPECT_EQ(pickedAtoms().count, 0);
    EXPECT_EQ(moleculeState().atoms[1].selected, 0);
    // A new file forgets the picks of the old molecule.
    click(x, y);
    openExample();
    EXPECT_EQ(pickedAtoms().count, 0);
}

// Runs of pixels of colour c in column x of bitmap (the toolkit may round a
// channel by one).
int runsInColumn(const wxBitmap& bitmap, int x, const wxColour& c) {
    const wxImage image = bitmap.ConvertToImage();
    int runs = 0;
    bool inside = false;
    for (int y = 0; y < image.GetHeight(); ++y) {
        auto near = [](int a, int b) { return std::abs(a - b) <= 2; };
        const bool hit = near(image.GetRed(x, y), c.Red()) &&
                         near(image.GetGreen(x, y), c.Green()) &&
                         near(image.GetBlue(x, y), c.Blue());
        if (hit && !inside)
            ++runs;
        inside = hit;
    }
    return runs;
}

TEST_F(ProgramTest, PreviewPlotsOneSpectrumOrSixProjections) {
    openExample();
    command(cmd::ProjectionGreen);
    SpectrumPreviewDialog* dlg = frame_->previewDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(moleculeState().viewMode, 1);
    EXPECT_EQ(dlg->halfWidthEdit()->GetValue(), "2");
    EXPECT_EQ(vibrationStore().spectrumReady, 1);
    const wxBitmap& plot = dlg->plot();
    ASSERT_TRUE(plot.IsOk());
    EXPECT_EQ(plot.GetSize(), dlg->plotFrame()->GetClientSize());
    // The curves' places are checked on a recording canvas in the preview's
    // own tests; with this example's maximum relative intensity below 1 the
    // scaling of the projection plot puts them below the visible area, so
    // here the dialog only has to draw in the window without a curve in red.
    const int x = plot.GetWidth() * 3 / 4;
    EXPECT_EQ(runsInColumn(plot, x, *wxRED), 0);

    // The same dialog draws the plain spectrum: one red curve.
    command(cmd::ShowSpectrum);
    EXPECT_EQ(frame_->previewDialog(), dlg);
    EXPECT_EQ(runsInColumn(dlg->plot(), x, *wxRED), 1);
    EXPECT_EQ(runsInColumn(dlg->plot(), x, *wxGREEN), 0);

    // "再計算" keeps the typed width for later calculations; Escape closes,
    // and the next dialog starts again from 2.
    dlg->halfWidthEdit()->SetValue("10");
    dlg->OnRecalculate();
    EXPECT_EQ(dlg->halfWidth(), 10);
    command(cmd::ProjectionBlue);
    EXPECT_EQ(dlg->halfWidth(), 10);
    EXPECT_EQ(moleculeState().viewMode, 2);
    EXPECT_EQ(runsInColumn(dlg->plot(), x, *wxRED), 0);
    test::pressEscape(dlg);
    settleEvents();
    EXPECT_EQ(frame_->previewDialog(), nullptr);
    command(cmd::ShowSpectrum);
    ASSERT_NE(frame_->previewDialog(), nullptr);
    EXPECT_EQ(frame_->previewDialog()->halfWidthEdit()->GetValue(), "2");
}

TEST_F(ProgramTest, FileCommandsWriteTheirFiles) {
    openExample();
    command(cmd::ShowSpectrum);    // the spectrum exists before it is saved
    command(cmd::ProjectionGreen); // and the relative intensities
    const std::pair<int, const char*> saves[] = {
        {cmd::SaveCoordinates, "default.txt"},    {cmd::SaveIrTable, "ir.csv"},
        {cmd::SaveIrTableSorted, "irsorted.csv"}, {cmd::SaveRelativeIntensity, "spec.csv"},
        {cmd::SaveIrSpectrum, "IRSpec.csv"},      {cmd::SaveImageButton, "button.bmp"},
    };
    for (const auto& [id, name] : saves) {
        const std::string path = dir_.path(name);
        platform_.openAnswers = {path};
        platform_.saveAnswers = {path};
        command(id);
        EXPECT_TRUE(std::filesystem::exists(path)) << id;
        EXPECT_GT(std::filesystem::file_size(path), 20u) << id;
    }
    EXPECT_TRUE(platform_.messages.empty()) << platform_.messages.front();
    EXPECT_NE(test::readFileBytes(dir_.path("ir.csv")).find("1335.9790"), std::string::npos);
}

TEST_F(ProgramTest, DialogCommandsOpenTheirDialogsAndTheResetClosesThem) {
    openExample();
    command(cmd::AxisDialog);
    EXPECT_NE(frame_->axisDialog(), nullptr);
    command(cmd::SetRotationAngle);
    EXPECT_NE(frame_->rotationDialog(), nullptr);
    command(cmd::ShowSpectrum);
    EXPECT_NE(frame_->previewDialog(), nullptr);
    // Reading another output file starts from a clean analysis.
    openExample(cmd::LoadData);
    EXPECT_EQ(frame_->axisDialog(), nullptr);
    EXPECT_EQ(frame_->rotationDialog(), nullptr);
    EXPECT_EQ(frame_->previewDialog(), nullptr);
    EXPECT_NE(frame_->dataSelectionDialog(), nullptr); // refilled
}

TEST_F(ProgramTest, GamessInputIsShownWithoutModes) {
    const std::string path = dir_.path("water.inp");
    test::writeFileBytes(path, " $DATA\nwater\nC1\n O 8.0 0.0 0.0 0.1173\n"
                               " H 1.0 0.0 0.7572 -0.4692\n H 1.0 0.0 -0.7572 -0.4692\n $END\n");
    platform_.openAnswers.push_back(path);
    command(cmd::OpenGamess);
    ASSERT_EQ(atomCount(), 3);
    EXPECT_EQ(moleculeState().atoms[0].symbol, "O");
    EXPECT_EQ(frame_->dataSelectionDialog(), nullptr);
    EXPECT_EQ(frame_->recentFiles().entries()[0], path);
}

TEST_F(ProgramTest, CheckpointFillsTheOrbitalGroupAndTheOrbitalCommandsWork) {
    openExample();
    // Water in STO-3G whose orbitals 5 (the HOMO) and 7 are O px alone.
    test::FchkParts p;
    p.coefficients.assign(49, 0.0);
    p.coefficients[4 * 7 + 2] = 1.0;
    p.coefficients[6 * 7 + 2] = 1.0;
    const std::string path = dir_.path("water.FChk");
    test::writeFileBytes(path, test::fchkText(p));
    command(cmd::OpenCheckpoint); // cancelled: nothing happens
    EXPECT_EQ(orbitalFlags().orbitalLoaded, 0);
    platform_.openAnswers.push_back(path);
    command(cmd::OpenCheckpoint);
    ASSERT_EQ(orbitalFlags().orbitalLoaded, 1)
        << (platform_.messages.empty() ? "" : platform_.messages[0]);
    DataSelectionDialog* dlg = frame_->dataSelectionDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->rangeEdit()->GetValue(), "(1-7)");
    EXPECT_EQ(dlg->homoLabelEdit()->GetValue(), "HOMO");
    EXPECT_EQ(dlg->homoValueEdit()->GetValue(), "5"); // 10 electrons
    EXPECT_EQ(dlg->orbitalEdit()->GetValue(), "5");
    EXPECT_EQ(dlg->modeList()->GetCount(), 6u); // the molecule's modes stay
    EXPECT_EQ(atomCount(), 4);

    // "MOを計算" with a number out of range: the message, then the HOMO.
    dlg->orbitalEdit()->SetValue("8");
    moleculeState().atoms[0].x += 1.0; // the reset after it restores this
    command(cmd::ComputeOrbital);
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0], "適切な番号を指定してください\nデフォルトのHOMOを計算します");
    EXPECT_EQ(moleculeState().atoms[0].x, moleculeState().atoms[0].loadedPosition.x);
    dlg->orbitalEdit()->SetValue("7");
    command(cmd::ComputeOrbital);
    EXPECT_EQ(platform_.messages.size(), 1u);

    command(cmd::ShowOrbital);
    EXPECT_EQ(orbitalFlags().orbitalShown, 1);
    command(cmd::ShowOrbital);
    EXPECT_EQ(orbitalFlags().orbitalShown, 0);
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
