#include <gtest/gtest.h>

#include "document/OrbitalFlags.h"
#include "document/OrbitalSelection.h"
#include "orbital/CheckpointReader.h"
#include "orbital/ContourStore.h"
#include "orbital/OrbitalTestSupport.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::FchkParts;

class OrbitalSelection : public test::ProcessStateTest {
  protected:
    test::TempDir dir;
    test::RecordingOrbitalDialog dialog;

    // Water in STO-3G whose orbital n is O px alone when n is `pxOrbital`,
    // and nothing elsewhere, so only that orbital draws lines.
    std::string waterFile(const std::string& name, int electrons, int pxOrbital) {
        FchkParts p;
        p.electrons = electrons;
        p.coefficients.assign(49, 0.0);
        p.coefficients[(pxOrbital - 1) * 7 + 2] = 1.0;
        const std::string path = dir.path(name);
        test::writeFileBytes(path, test::fchkText(p));
        return path;
    }
};

TEST_F(OrbitalSelection, OpeningComputesTheHomoAndFillsTheGroup) {
    ASSERT_TRUE(openCheckpoint(waterFile("w.fchk", 10, 5), dialog));
    EXPECT_GT(contourStore().loopCount(), 0u);
    EXPECT_EQ(contourStore().currentPoints, contourStore().loadedPoints);
    EXPECT_EQ(checkpointState().homoNumber, 5);
    EXPECT_EQ(dialog.fields.orbitalNumber, 5);
    EXPECT_EQ(dialog.fields.homoValue, 5);
    EXPECT_EQ(dialog.fields.homoLabel, "HOMO");
    EXPECT_EQ(dialog.fields.orbitalRange, "(1-7)");
    EXPECT_EQ(dialog.fields.orbitalMax, 7);
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(orbitalFlags().orbitalLoaded, 1);
    EXPECT_TRUE(platform_.messages.empty());

    // A second file uses its own HOMO: with 9 electrons orbital 4, its px.
    ASSERT_TRUE(openCheckpoint(waterFile("b.FCH", 9, 4), dialog));
    EXPECT_EQ(dialog.fields.orbitalNumber, 4);
    EXPECT_GT(contourStore().loopCount(), 0u);
}

TEST_F(OrbitalSelection, RefusedFilesChangeNothing) {
    ASSERT_TRUE(openCheckpoint(waterFile("w.fchk", 10, 5), dialog));
    const std::uint32_t loops = contourStore().loopCount();
    const std::string bad = dir.path("w.log");
    test::writeFileBytes(bad, "x");
    EXPECT_FALSE(openCheckpoint(bad, dialog));
    EXPECT_FALSE(openCheckpoint(dir.path("missing.fchk"), dialog));
    ASSERT_EQ(platform_.messages.size(), 2u);
    EXPECT_EQ(platform_.messages[0], "このファイル形式には対応していません");
    EXPECT_EQ(platform_.messages[1], "ファイルが開けません");
    EXPECT_EQ(checkpointState().checkpointPath, dir.path("w.fchk"));
    EXPECT_EQ(contourStore().loopCount(), loops);
}

TEST_F(OrbitalSelection, TypedOrbitalNumbers) {
    dialog.fields.orbitalMax = 7;
    const struct {
        const char* text;
        int result;
        bool message;
    } cases[] = {{"7", 7, false}, {"1", 1, false}, {"5x", 5, false}, {"8", 0, true},
                 {"0", 0, true},  {"-1", 0, true}, {"abc", 0, true}};
    for (const auto& c : cases) {
        platform_.messages.clear();
        dialog.typed = c.text;
        EXPECT_EQ(getOrbitalNumber(dialog), c.result) << c.text;
        EXPECT_EQ(platform_.messages.size(), c.message ? 1u : 0u) << c.text;
        if (c.message) {
            EXPECT_EQ(platform_.messages[0],
                      "適切な番号を指定してください\nデフォルトのHOMOを計算します");
        }
    }
}

TEST_F(OrbitalSelection, ComputeReadsTheTypedOrbitalAgain) {
    ASSERT_TRUE(openCheckpoint(waterFile("w.fchk", 10, 3), dialog));
    EXPECT_EQ(contourStore().loopCount(), 0u); // the HOMO (5) has no coefficients
    dialog.typed = "3";
    ASSERT_TRUE(computeOrbital(dialog));
    EXPECT_GT(contourStore().loopCount(), 0u);
    dialog.typed = "99"; // message, then the HOMO
    computeOrbital(dialog);
    EXPECT_EQ(contourStore().loopCount(), 0u);
    EXPECT_EQ(platform_.messages.size(), 1u);
}

TEST_F(OrbitalSelection, FailedCalculationIsReportedAndLeavesNoLines) {
    ASSERT_TRUE(openCheckpoint(waterFile("w.fchk", 10, 5), dialog));
    ASSERT_GT(contourStore().loopCount(), 0u);
    FchkParts p;
    p.atomicNumbers = {19, 1};
    p.coordinatesBohr = {0, 0, 0, 0, 0, 4};
    p.basisFunctions = 2;
    p.electrons = 20;
    p.coefficients = test::numberedCoefficients(2, 2);
    const std::string path = dir.path("k.fchk");
    test::writeFileBytes(path, test::fchkText(p));
    openCheckpoint(path, dialog);
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0], "原子番号19以上は対応していません");
    EXPECT_EQ(contourStore().loopCount(), 0u);
    EXPECT_EQ(contourStore().pointCount(), 0u);
}

} // namespace
} // namespace kalviro
