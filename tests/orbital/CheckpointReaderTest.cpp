#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "OrbitalTestSupport.h"
#include "model/TextLineReader.h"
#include "orbital/CheckpointReader.h"

namespace kalviro {
namespace {

using test::FchkParts;

CheckpointContents parseText(const std::string& text, int orbitalIndex,
                             const std::string& electrons = {}, const std::string& basis = {}) {
    std::unique_ptr<std::FILE, FileCloser> f(
        fmemopen(const_cast<char*>(text.data()), text.size(), "r"));
    TextLineReader reader(f.get());
    return parseCheckpoint(reader, orbitalIndex, electrons, basis);
}

struct OrbitalCase {
    const char* name;
    int electrons;
    int basisFunctions;
    int orbitalIndex; // -1: HOMO
    int expectedIndex;
};

class CoefficientSelection : public ::testing::TestWithParam<OrbitalCase> {};

// Coefficients are numbered 100 * orbital + function, so the values read say
// which orbital and which functions were taken.
TEST_P(CoefficientSelection, ReadsExactlyTheWantedOrbital) {
    const OrbitalCase& c = GetParam();
    FchkParts p;
    p.electrons = c.electrons;
    p.basisFunctions = c.basisFunctions;
    p.coefficients = test::numberedCoefficients(c.basisFunctions, c.basisFunctions);
    const CheckpointContents got = parseText(test::fchkText(p), c.orbitalIndex);
    EXPECT_EQ(got.orbitalIndex, c.expectedIndex);
    ASSERT_EQ(got.coefficients.size(), static_cast<std::size_t>(c.basisFunctions));
    for (int f = 0; f < c.basisFunctions; ++f)
        EXPECT_FLOAT_EQ(got.coefficients[f], 100.0f * (c.expectedIndex + 1) + f + 1) << f;
}

INSTANTIATE_TEST_SUITE_P(
    Orbitals, CoefficientSelection,
    ::testing::Values(OrbitalCase{"TenElectronsHomoIsFifth", 10, 7, -1, 4},
                      OrbitalCase{"NineElectronsHomoIsFourth", 9, 7, -1, 3},
                      OrbitalCase{"FirstOrbital", 10, 7, 0, 0},
                      OrbitalCase{"LastOrbital", 10, 7, 6, 6},
                      // 5 x 1 values precede orbital 2: it starts a fresh line.
                      OrbitalCase{"BlockStartsOnLineBoundary", 4, 5, 1, 1},
                      OrbitalCase{"BlockStartsMidLine", 10, 7, 2, 2},
                      OrbitalCase{"LongOrbitalSpansLines", 20, 23, 11, 11},
                      // The second orbital is the last two values of line one.
                      OrbitalCase{"TwoFunctionsSecondOrbital", 2, 2, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckpointReader, HeaderValuesAtomsAndCoordinates) {
    FchkParts p;
    p.method = "RPBE1PBE TD-FC"; // two words: the basis is still the last token
    p.basis = "6-31G(d)";
    p.coefficients = test::numberedCoefficients(7, 7);
    const CheckpointContents got = parseText(test::fchkText(p), -1);
    EXPECT_EQ(got.basisName, "6-31G(d)");
    EXPECT_EQ(got.electronCountText, "10");
    EXPECT_EQ(got.basisCountText, "7");
    // The title line "Atomic numbers  I  N= 3" is not data.
    EXPECT_EQ(got.atomicNumbers, (std::vector<std::int32_t>{8, 1, 1}));
    // 9 values: one line of 80 characters (5 fields), one of 64 (4 fields).
    ASSERT_EQ(got.coordinates.size(), 9u);
    EXPECT_DOUBLE_EQ(got.coordinates[2], 0.2217);
    EXPECT_DOUBLE_EQ(got.coordinates[4], 1.4309);
    EXPECT_DOUBLE_EQ(got.coordinates[8], -0.8867);
}

TEST(CheckpointReader, CrLfLinesAndCountsOnAnyLine) {
    FchkParts p;
    p.lineEnd = "\r\n";
    p.electrons = 14;
    p.basisFunctions = 10;
    p.coefficients = test::numberedCoefficients(10, 10);
    const CheckpointContents got = parseText(test::fchkText(p), -1);
    EXPECT_EQ(got.basisName, "STO-3G");
    EXPECT_EQ(got.electronCountText, "14");
    EXPECT_EQ(got.basisCountText, "10");
    EXPECT_EQ(got.orbitalIndex, 6);
    EXPECT_FLOAT_EQ(got.coefficients[9], 710.0f);
}

// An orbital beyond the array (fewer independent functions than basis
// functions) reads zeros, not the values of the next section.
TEST(CheckpointReader, ShortArrayDoesNotRunIntoTheNextSection) {
    FchkParts p;
    p.coefficients = test::numberedCoefficients(5, 7); // only 5 orbitals stored
    const CheckpointContents got = parseText(test::fchkText(p), 6);
    EXPECT_EQ(got.coefficients, std::vector<float>(7, 0.0f));
}

TEST(CheckpointReader, MissingSectionsLeaveEmptyArraysAndZeroCoefficients) {
    const CheckpointContents got = parseText("t\nSP RHF STO-3G\n", -1, "10", "3");
    EXPECT_TRUE(got.atomicNumbers.empty());
    EXPECT_TRUE(got.coordinates.empty());
    EXPECT_EQ(got.coefficients, std::vector<float>(3, 0.0f));
}

} // namespace
} // namespace kalviro
