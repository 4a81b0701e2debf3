#include <gtest/gtest.h>

#include <tuple>

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
    // Water in STO-3G whose orbital n is O px alone when n is `pxOrbital`,
    // and nothing elsewhere, so only that orbital draws lines.
    std::string waterFile(const std::string& name, int electrons, int pxOrbital) {
        FchkParts p;
        p.electrons = electrons;
        p.coefficients.assign(49, 0.0);
        p.coefficients[(pxOrbital - 1) * 7 + 2] = 1.0;
        const std::string path = scratch_.path(name);
        test::writeFileBytes(path, test::fchkText(p));
        return path;
    }
};

TEST_F(OrbitalSelection, OpeningComputesTheHomoAndFillsTheGroup) {
    ASSERT_TRUE(openCheckpoint(doc, waterFile("w.fchk", 10, 5)));
    EXPECT_GT(doc.contours.loopCount(), 0u);
    EXPECT_EQ(doc.contours.currentPoints, doc.contours.loadedPoints);
    const OrbitalFields& f = doc.orbitalFields;
    EXPECT_EQ(std::tie(doc.checkpoint.homoNumber, f.orbitalNumber, f.homoValue, f.orbitalMax),
              std::tuple(5, 5, 5, 7));
    EXPECT_EQ(f.homoLabel + " " + f.orbitalRange, "HOMO (1-7)");
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

// Refused files and missing coefficients (none at all, or none of the beta
// spin): told, and the orbital shown stays.
TEST_F(OrbitalSelection, RefusedFilesChangeNothing) {
    ASSERT_TRUE(openCheckpoint(doc, waterFile("w.fchk", 10, 5)));
    const std::uint32_t loops = doc.contours.loopCount();
    const OrbitalFields fields = doc.orbitalFields;
    test::writeFileBytes(scratch_.path("w.log"), "x");
    test::writeFileBytes(scratch_.path("none.fchk"), test::fchkText(FchkParts{}));
    EXPECT_FALSE(openCheckpoint(doc, scratch_.path("w.log")));
    EXPECT_FALSE(openCheckpoint(doc, scratch_.path("missing.fchk")));
    EXPECT_FALSE(openMoleculeFile(doc, scratch_.path("none.fchk")).read);
    EXPECT_FALSE(computeOrbital(doc, "5", Spin::Beta));
    const char* noCoefficients = "このファイルには分子軌道の係数がありません";
    EXPECT_EQ(platform_.messages, (std::vector<std::string>{"このファイル形式には対応していません",
                                                            "ファイルが開けません", noCoefficients,
                                                            noCoefficients}));
    EXPECT_EQ(doc.checkpoint.checkpointPath, scratch_.path("w.fchk"));
    EXPECT_EQ(doc.orbitalFields.orbitalRange, fields.orbitalRange);
    EXPECT_EQ(doc.orbitalFields.homoValue, fields.homoValue);
    EXPECT_EQ(doc.contours.loopCount(), loops);
}

TEST_F(OrbitalSelection, TypedOrbitalNumbers) {
    doc.orbitalFields.orbitalMax = 7;
    // 0 for the refused ones, which are told.
    const std::pair<const char*, int> cases[] = {{"7", 7}, {"1", 1},  {"5x", 5},  {"8", 0},
                                                 {"0", 0}, {"-1", 0}, {"abc", 0}};
    for (const auto& [text, result] : cases) {
        platform_.messages.clear();
        EXPECT_EQ(getOrbitalNumber(doc.orbitalFields, text), result) << text;
        EXPECT_EQ(platform_.messages,
                  std::vector<std::string>(result == 0, "適切な番号を指定してください\n"
                                                        "デフォルトのHOMOを計算します"))
            << text;
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
    const std::string path = scratch_.path("k.fchk");
    test::writeFileBytes(path, test::fchkText(p));
    openCheckpoint(doc, path);
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0], "原子番号19以上は対応していません");
    EXPECT_EQ(doc.contours.loopCount(), 0u);
    EXPECT_EQ(doc.contours.pointCount(), 0u);
}

} // namespace
} // namespace kalviro
