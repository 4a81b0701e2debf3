#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "model/readers/GaussianOutputReader.h"
#include "document/ViewSettings.h"

using namespace kalviro;

namespace {

std::string fixture(const std::string& name) {
    return test::readFileBytes(test::dataPath("gaussian-output/" + name));
}

FrequencyJob parseText(const std::string& text) {
    test::TempDir dir;
    test::writeFileBytes(dir.path("f.log"), text);
    auto c = parseOutputFile(dir.path("f.log"));
    EXPECT_TRUE(c.has_value());
    return c ? std::move(*c) : FrequencyJob{};
}

void expectVector(const Vector3& v, double x, double y, double z) {
    EXPECT_DOUBLE_EQ(v.x, x);
    EXPECT_DOUBLE_EQ(v.y, y);
    EXPECT_DOUBLE_EQ(v.z, z);
}

using Texts = std::vector<std::string>;

} // namespace

// The first table after the converged step; groups up to a short last one,
// and an empty line in a table ends frequency reading for good (the second
// job after it adds no "999.0000"); dipole derivatives with Fortran exponents.
TEST(GaussianOutput, OptimisationAndFrequencyJob) {
    auto c = parseText(fixture("g98_opt_freq.log"));
    ASSERT_EQ(c.atoms.size(), 4u);
    EXPECT_EQ(c.atoms[0].atomicNumber, 6);
    EXPECT_EQ(c.atoms[3].atomicNumber, 1);
    expectVector(c.atoms[0], 0.0, 0.0, -0.5241);
    expectVector(c.atoms[2], 0.0, 0.9387, -1.1045);
    EXPECT_EQ(c.frequencies, (Texts{"1335.9876", "1383.5533", "1679.4522", "2028.1234", "3160.0000", ""}));
    EXPECT_EQ(c.symmetries, (Texts{"B1", "B2", "A1", "A1", "B2", ""}));
    EXPECT_EQ(c.intensities, (Texts{"4.6537", "11.3620", "9.6613", "150.1000", "75.2000", ""}));
    ASSERT_EQ(c.modes.size(), 6u);
    for (const auto& mode : c.modes)
        EXPECT_EQ(mode.size(), 4u);
    expectVector(c.modes[0][0], 0.17, 0.0, 0.0);
    expectVector(c.modes[1][0], 0.0, 0.20, -0.01);
    expectVector(c.modes[2][3], 0.0, -0.41, -0.27);
    expectVector(c.modes[3][2], 0.0, 0.38, -0.28);
    expectVector(c.modes[4][3], 0.0, -0.56, 0.41);
    expectVector(c.modes[5][1], 0.0, 0.0, 0.0); // the missing third mode
    ASSERT_EQ(c.dipoleDerivatives.size(), 5u);
    expectVector(c.dipoleDerivatives[0], 0.123456, -0.02, 0.0);
    expectVector(c.dipoleDerivatives[1], 0.0, 0.345, -1.5e-7);
    expectVector(c.dipoleDerivatives[2], -0.4, 0.0, 2.5);
}

TEST(GaussianOutput, NewerLayoutAndAFrequencyOnlyJob) {
    // "  Atom  AN" with five-space rows; no converged table selects a
    // geometry, so the last standard orientation is the molecule.
    auto c = parseText(fixture("g16_freq_only.log"));
    ASSERT_EQ(c.atoms.size(), 3u);
    EXPECT_EQ(c.atoms[0].atomicNumber, 8);
    expectVector(c.atoms[1], 0.0, 0.763239, -0.477047);
    EXPECT_EQ(c.frequencies, (Texts{"1713.0000", "3727.0000", "3849.0000"}));
    EXPECT_EQ(c.symmetries, (Texts{"A1", "A1", "B2"}));
    ASSERT_EQ(c.modes.size(), 3u);
    expectVector(c.modes[0][1], 0.0, -0.43, -0.56);
    expectVector(c.modes[2][2], 0.0, -0.56, -0.43);
    // Both dipole wordings; the mode number's width does not matter.
    ASSERT_EQ(c.dipoleDerivatives.size(), 2u);
    expectVector(c.dipoleDerivatives[1], 4.0, -5.0, 6.0);
}

TEST(GaussianOutput, InputOrientationWhenNoStandardTableExists) {
    // Atom 2 at x = -100.1 puts a lone minus in column 35, where the search
    // for the table's closing dashes looks: the table goes on.
    auto text = test::replaceAll(fixture("g16_freq_only.log"), "Standard orientation:", "Some other table:");
    auto c = parseText(text);
    ASSERT_EQ(c.atoms.size(), 3u);
    expectVector(c.atoms[0], 0.1, 0.2, 0.3);
}

TEST(GaussianOutput, OldFourSpaceRuleStillEndsATable) {
    // Gaussian 94-style: the next group's header follows the rows directly.
    auto c = parseText(fixture("g94_four_space_groups.log"));
    EXPECT_EQ(c.frequencies, (Texts{"100.0", "200.0", "300.0", "400.0", "", ""}));
    EXPECT_EQ(c.symmetries, (Texts{"A1", "B2", "A1", "B1", "", ""}));
    ASSERT_EQ(c.modes.size(), 6u);
    expectVector(c.modes[2][0], 0.7, 0.8, 0.9);
    expectVector(c.modes[3][0], 1.0, 1.1, 1.2);
}

TEST(GaussianOutput, KeywordsMustStartAtTheSecondColumn) {
    auto c = parseText("  Frequencies --  100.0  200.0  300.0\n"
                       " IR Inten    --    1.0    2.0    3.0\n"
                       " Atom AN      X      Y      Z\n"
                       "   1   6     0.10   0.20   0.30\n");
    EXPECT_TRUE(c.frequencies.empty());
    // The intensities line still announces three modes, but with no group
    // open the rows go nowhere.
    EXPECT_EQ(c.intensities.size(), 3u);
    ASSERT_EQ(c.modes.size(), 3u);
    EXPECT_TRUE(c.modes[0].empty());
}

TEST(GaussianOutput, RowsBeforeAnyIntensityLineAreIgnored) {
    auto c = parseText(" Frequencies --  100.0\n"
                       " Atom AN      X      Y      Z\n"
                       "   1   6     0.10   0.20   0.30\n"
                       "\n");
    EXPECT_EQ(c.frequencies.size(), 3u);
    EXPECT_TRUE(c.modes.empty());
}

TEST(GaussianOutput, TablesWithoutATypeColumnAndLongTokens) {
    auto c = parseText(fixture("long_tokens.log"));
    ASSERT_EQ(c.atoms.size(), 1u);
    EXPECT_EQ(c.atoms[0].atomicNumber, 7);
    expectVector(c.atoms[0], 1.0, 2.0, 3.0);
    EXPECT_EQ(c.frequencies.front(), "123456.789012345678");
    EXPECT_EQ(c.symmetries.front(), "A_VERY_LONG_SYMMETRY_LABEL");
}

TEST(GaussianOutput, AFileEndingInsideATableKeepsWhatWasComplete) {
    const std::string full = fixture("g16_freq_only.log");
    // Cut inside the standard orientation table: the input table is the
    // last complete one.
    auto c = parseText(full.substr(0, full.find("      2          1           0        0.000000")));
    ASSERT_EQ(c.atoms.size(), 3u);
    expectVector(c.atoms[0], 0.1, 0.2, 0.3);
    // Cut inside the displacement table: rows so far are kept.
    auto d = parseText(full.substr(0, full.find("     3   1     0.00   0.43")));
    ASSERT_EQ(d.modes.size(), 3u);
    EXPECT_EQ(d.modes[0].size(), 2u);
}

// freq=hpmodes: the five-decimal table is kept beside the ordinary one; a
// fault in it drops it and leaves the ordinary table as it was.
TEST(GaussianOutput, HighPrecisionTableWholeOrNotAtAll) {
    const std::string whole = fixture("g09_hpmodes.log");
    const auto c = parseText(whole);
    ASSERT_EQ(c.preciseModes.size(), 3u);
    expectVector(c.preciseModes[0][2], -0.0044, 0.43121, -0.55873);
    expectVector(c.preciseModes[2][0], 0.0, 0.06892, 0.0);
    expectVector(c.modes[0][2], -0.0, 0.43, -0.56);
    const std::string row = "   2     3     1         0.43121  -0.58676  -0.55718\n";
    const Texts damaged = {
        test::replaceAll(whole, "   2     2     1", "   3     2     1"), // out of order
        test::replaceAll(whole, "3     3     1        -0.55873", "3     3     1        -0.15873"),
        test::replaceAll(whole, row, ""),
        test::replaceAll(whole, "-0.58676  -0.55718", "-0.58676"),
        test::replaceAll(whole, " Coord Atom Element:\n", ""),
        test::replaceAll(whole, "1713.0000 3727.0000 3849.0000", "1713.0000 3727.0000"),
        whole.substr(0, whole.find(row) + 20),
    };
    for (std::size_t k = 0; k < damaged.size(); ++k) {
        const auto d = parseText(damaged[k]);
        EXPECT_TRUE(d.preciseModes.empty()) << k;
        if (k + 1 < damaged.size()) { // the last is cut before the ordinary table
            EXPECT_EQ(d.modes, c.modes) << k;
        }
    }
}
