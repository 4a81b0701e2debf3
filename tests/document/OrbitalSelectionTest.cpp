#include <gtest/gtest.h>

#include "document/FileOpening.h"
#include "document/OrbitalSelection.h"
#include "orbital/CheckpointReader.h"
#include "orbital/ContourStore.h"
#include "orbital/OrbitalTestSupport.h"
#include "platform/Messages.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::FchkParts;

class OrbitalSelection : public test::DocumentTest {
  protected:
    test::TempDir dir;

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
    ASSERT_TRUE(openCheckpoint(doc, waterFile("w.fchk", 10, 5)));
    EXPECT_GT(doc.contours.loopCount(), 0u);
    EXPECT_EQ(doc.contours.currentPoints, doc.contours.loadedPoints);
    EXPECT_EQ(doc.checkpoint.homoNumber, 5);
    EXPECT_EQ(doc.orbitalFields.orbitalNumber, 5);
    EXPECT_EQ(doc.orbitalFields.homoValue, 5);
    EXPECT_EQ(doc.orbitalFields.homoLabel, "HOMO");
    EXPECT_EQ(doc.orbitalFields.orbitalRange, "(1-7)");
    EXPECT_EQ(doc.orbitalFields.orbitalMax, 7);
    EXPECT_TRUE(doc.orbitalFlags.orbitalLoaded);
    EXPECT_TRUE(platform_.messages.empty());

    // A second file uses its own HOMO: with 9 electrons orbital 4, its px.
    ASSERT_TRUE(openCheckpoint(doc, waterFile("b.FCH", 9, 4)));
    EXPECT_EQ(doc.orbitalFields.orbitalNumber, 4);
    EXPECT_GT(doc.contours.loopCount(), 0u);
}

// A Molden file without [FREQ] lays its orbital over the molecule shown; the
// open-shell OH radical offers both spins, the alpha HOMO first.
TEST_F(OrbitalSelection, MoldenFileOpensAsAnOrbitalSource) {
    const OpenResult r = openMoleculeFile(doc, test::dataPath("orbital/oh_radical_pure.molden"));
    EXPECT_TRUE(r.read && r.orbitalRead);
    EXPECT_EQ(doc.orbitalFields.homoValue, 5);
    EXPECT_EQ(doc.orbitalFields.orbitalMax, 30);
    EXPECT_EQ(doc.orbitalFields.betaMax, 30);
    const std::uint32_t alphaLoops = doc.contours.loopCount(), alphaPoints = doc.contours.pointCount();
    EXPECT_GT(alphaLoops, 0u);
    ASSERT_TRUE(computeOrbital(doc, "5", Spin::Beta)); // empty, not the singly occupied one
    EXPECT_TRUE(doc.contours.loopCount() != alphaLoops || doc.contours.pointCount() != alphaPoints);
    EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(OrbitalSelection, RefusedFilesChangeNothing) {
    ASSERT_TRUE(openCheckpoint(doc, waterFile("w.fchk", 10, 5)));
    const std::uint32_t loops = doc.contours.loopCount();
    const std::string bad = dir.path("w.log");
    test::writeFileBytes(bad, "x");
    EXPECT_FALSE(openCheckpoint(doc, bad));
    EXPECT_FALSE(openCheckpoint(doc, dir.path("missing.fchk")));
    ASSERT_EQ(platform_.messages.size(), 2u);
    EXPECT_EQ(platform_.messages[0], "このファイル形式には対応していません");
    EXPECT_EQ(platform_.messages[1], "ファイルが開けません");
    EXPECT_EQ(doc.checkpoint.checkpointPath, dir.path("w.fchk"));
    EXPECT_EQ(doc.contours.loopCount(), loops);
}

// No coefficients (none at all, or none of the beta spin): told, and the
// orbital shown stays.
TEST_F(OrbitalSelection, MissingCoefficientsChangeNothing) {
    ASSERT_TRUE(openCheckpoint(doc, waterFile("w.fchk", 10, 5)));
    const std::uint32_t loops = doc.contours.loopCount();
    const OrbitalFields fields = doc.orbitalFields;
    test::writeFileBytes(dir.path("none.fchk"), test::fchkText(FchkParts{}));
    EXPECT_FALSE(openMoleculeFile(doc, dir.path("none.fchk")).read);
    EXPECT_FALSE(computeOrbital(doc, "5", Spin::Beta));
    EXPECT_EQ(platform_.messages, std::vector<std::string>(2, "このファイルには分子軌道の係数がありません"));
    EXPECT_EQ(doc.checkpoint.checkpointPath, dir.path("w.fchk"));
    EXPECT_EQ(doc.orbitalFields.orbitalRange, fields.orbitalRange);
    EXPECT_EQ(doc.orbitalFields.homoValue, fields.homoValue);
    EXPECT_EQ(doc.contours.loopCount(), loops);
}

TEST_F(OrbitalSelection, TypedOrbitalNumbers) {
    doc.orbitalFields.orbitalMax = 7;
    const struct {
        const char* text;
        int result;
        bool message;
    } cases[] = {{"7", 7, false}, {"1", 1, false}, {"5x", 5, false}, {"8", 0, true},
                 {"0", 0, true},  {"-1", 0, true}, {"abc", 0, true}};
    for (const auto& c : cases) {
        platform_.messages.clear();
        EXPECT_EQ(getOrbitalNumber(doc.orbitalFields, c.text), c.result) << c.text;
        EXPECT_EQ(platform_.messages.size(), c.message ? 1u : 0u) << c.text;
        if (c.message) {
            EXPECT_EQ(platform_.messages[0],
                      "適切な番号を指定してください\nデフォルトのHOMOを計算します");
        }
    }
}

// A bad value is told and kept out; a good one shapes the next surfaces.
TEST_F(OrbitalSelection, TypedIsosurfaceValues) {
    for (const char* bad : {"0", "-0.05", "abc", "", "0.1x", "nan"}) {
        platform_.messages.clear();
        EXPECT_FALSE(setIsoValue(doc.view, bad)) << bad;
        EXPECT_EQ(platform_.messages, std::vector<std::string>{msg::kBadIsoValue}) << bad;
        EXPECT_EQ(doc.view.isoValue, 0.05);
    }
    ASSERT_TRUE(openCheckpoint(doc, waterFile("w.fchk", 10, 5)));
    const std::size_t wide = doc.surfaces.shown[1].positions.size();
    EXPECT_GT(wide, 100u);
    ASSERT_TRUE(setIsoValue(doc.view, " 0.2 "));
    ASSERT_TRUE(computeOrbital(doc, "5"));
    EXPECT_EQ(doc.surfaces.value, 0.2);
    EXPECT_LT(doc.surfaces.shown[1].positions.size(), wide);
}

TEST_F(OrbitalSelection, ComputeReadsTheTypedOrbitalAgain) {
    ASSERT_TRUE(openCheckpoint(doc, waterFile("w.fchk", 10, 3)));
    EXPECT_EQ(doc.contours.loopCount(), 0u); // the HOMO (5) has no coefficients
    ASSERT_TRUE(computeOrbital(doc, "3"));
    EXPECT_GT(doc.contours.loopCount(), 0u);
    computeOrbital(doc, "99");
    EXPECT_EQ(doc.contours.loopCount(), 0u);
    EXPECT_EQ(platform_.messages.size(), 1u);
}

TEST_F(OrbitalSelection, FailedCalculationIsReportedAndLeavesNoLines) {
    ASSERT_TRUE(openCheckpoint(doc, waterFile("w.fchk", 10, 5)));
    ASSERT_GT(doc.contours.loopCount(), 0u);
    FchkParts p;
    p.atomicNumbers = {19, 1};
    p.coordinatesBohr = {0, 0, 0, 0, 0, 4};
    p.basisFunctions = 2;
    p.electrons = 20;
    p.coefficients = test::numberedCoefficients(2, 2);
    const std::string path = dir.path("k.fchk");
    test::writeFileBytes(path, test::fchkText(p));
    openCheckpoint(doc, path);
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0], "原子番号19以上は対応していません");
    EXPECT_EQ(doc.contours.loopCount(), 0u);
    EXPECT_EQ(doc.contours.pointCount(), 0u);
}

} // namespace
} // namespace kalviro
