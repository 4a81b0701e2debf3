// The isotope dialog's OK and Cancel on the real main window. wx is started
// once for the whole test program by the environment in MainFrameGuiTest.cpp.

#include <gtest/gtest.h>

#include <cmath>

#include "GuiSupport.h"
#include "app/AppConfig.h"
#include "app/DataSelectionDialog.h"
#include "app/IsotopeDialog.h"
#include "document/FileOpening.h"
#include "document/IsotopeChange.h"

namespace kalviro {
namespace {

void settleEvents() { test::runPendingEvents(5, 10); }

class IsotopeDialogTest : public test::FrameFixture {
  protected:
    IsotopeDialogTest() : FrameFixture(true, settleEvents) {}
    void TearDown() override {
        FrameFixture::TearDown();
        saveRecentFiles({}); // the opened file leaves no trace for the next tests
    }
};

// The isotope dialog on divinylbenzene's checkpoint file, all H to 2H
// through its fields: Cancel changes nothing; OK shows in the mode list what
// the document function gives for the same list written here (the batch
// --isotope path).
TEST_F(IsotopeDialogTest, OkChangesTheModeListAndCancelDoesNot) {
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

} // namespace
} // namespace kalviro
