// The element table (symbols, radii, materials) and the isotopes of each
// element with their masses.

#include <gtest/gtest.h>

#include <string>

#include "model/Atom.h"
#include "model/ElementTable.h"
#include "model/Isotopes.h"

namespace kalviro {
namespace {

TEST(IsotopesTest, NamedIsotopes) {
    // Masses from the NIST table of isotopic compositions, rounded; 0: unknown.
    const std::pair<const char*, double> cases[] = {
        {"2H", 2.014102},   {"D", 2.014102},     {"T", 3.016049},     {"13c", 13.003355},
        {"18O", 17.999160}, {"37CL", 36.965903}, {"81Br", 80.916290}, {"129Xe", 128.904781},
        {"C13", 0},         {"99C", 0},          {"2X", 0},           {"", 0},
    };
    for (const auto& [name, mass] : cases) {
        const auto m = isotopeMass(name);
        EXPECT_EQ(m.has_value(), mass > 0) << name;
        EXPECT_NEAR(m.value_or(0.0), mass, 1e-6) << name;
    }
}

// The table holds the natural isotopes of H to Xe (from the nuclide
// chart), and tritium, 14C and 98Tc: no isotope under another element. Each
// mass lies within 0.1 amu of its mass number (the mass excess of these stays
// below that), and the standard mass of every element is one of them.
TEST(IsotopesTest, EachElementHasItsNaturalIsotopes) {
    const char* const natural[] = {
        "1 2 3", "3 4", "6 7", "9", "10 11", "12 13 14", "14 15", "16 17 18", "19", "20 21 22",
        "23", "24 25 26", "27", "28 29 30", "31", "32 33 34 36", "35 37", "36 38 40", "39 40 41",
        "40 42 43 44 46 48", "45", "46 47 48 49 50", "50 51", "50 52 53 54", "55", "54 56 57 58",
        "59", "58 60 61 62 64", "63 65", "64 66 67 68 70", "69 71", "70 72 73 74 76", "75",
        "74 76 77 78 80 82", "79 81", "78 80 82 83 84 86", "85 87", "84 86 87 88", "89",
        "90 91 92 94 96", "93", "92 94 95 96 97 98 100", "98", "96 98 99 100 101 102 104", "103",
        "102 104 105 106 108 110", "107 109", "106 108 110 111 112 113 114 116", "113 115",
        "112 114 115 116 117 118 119 120 122 124", "121 123", "120 122 123 124 125 126 128 130",
        "127", "124 126 128 129 130 131 132 134 136"};
    for (int z = 1; z <= 54; ++z) {
        std::string found;
        bool standardFound = false;
        for (int a = z; a <= 3 * z + 10; ++a)
            if (const auto m = isotopeMass(std::to_string(a) + std::string(elementSymbol(z)))) {
                found += (found.empty() ? "" : " ") + std::to_string(a);
                EXPECT_NEAR(*m, a, 0.1) << a << elementSymbol(z);
                standardFound = standardFound || *m == standardIsotopeMass(z);
            }
        EXPECT_EQ(found, natural[z - 1]) << elementSymbol(z);
        EXPECT_TRUE(standardFound) << elementSymbol(z);
    }
}

TEST(IsotopesTest, StandardMassesAreTheMostAbundantIsotopes) {
    const std::pair<int, double> cases[] = {{1, 1.00783},   {6, 12.0},       {7, 14.00307},
                                            {8, 15.99491},  {17, 34.96885},  {26, 55.93494},
                                            {35, 78.91834}, {53, 126.90447}, {54, 131.90416}};
    for (const auto& [z, mass] : cases) {
        ASSERT_TRUE(standardIsotopeMass(z)) << z;
        EXPECT_NEAR(*standardIsotopeMass(z), mass, 1e-5) << z;
    }
    EXPECT_FALSE(standardIsotopeMass(0));
    EXPECT_FALSE(standardIsotopeMass(55));
}

TEST(IsotopesTest, ChangesAreParsedAndApplied) {
    auto parsed = parseIsotopeChanges("3=2H, 4 = 13C,5=17.9992", 5);
    ASSERT_TRUE(parsed) << parsed.error();
    ASSERT_EQ(parsed->size(), 3u);
    const std::vector<double> masses = applyMassChanges({1, 1, 1, 1, 1}, *parsed);
    EXPECT_EQ(masses[0], 1.0);
    EXPECT_NEAR(masses[2], 2.014102, 1e-6);
    EXPECT_NEAR(masses[3], 13.003355, 1e-6);
    EXPECT_EQ(masses[4], 17.9992);
}

TEST(IsotopesTest, BadChangesAreRefusedWithTheReason) {
    const std::pair<const char*, const char*> cases[] = {
        {"0=D", "範囲"},
        {"6=D", "範囲"},
        {"x=D", "形ではありません"},
        {"3", "形ではありません"},
        {"3=", "形ではありません"},
        {"3=99Q", "知られていません"},
        {"3=0", "正の数"},
        {"3=-2.0", "正の数"},
        {"1=D,,2=D", "形ではありません"},
        {"", "空"},
    };
    for (const auto& [text, reason] : cases) {
        auto parsed = parseIsotopeChanges(text, 5);
        ASSERT_FALSE(parsed) << text;
        EXPECT_NE(parsed.error().find(reason), std::string::npos) << text << ": " << parsed.error();
    }
}

Atom withSymbol(const std::string& s) {
    Atom a;
    a.symbol = s;
    a.setElementBySymbol();
    return a;
}

struct SymbolCase {
    const char* symbol;
    int number;
    double radius;
    MaterialId material;
};

class SymbolLookup : public ::testing::TestWithParam<SymbolCase> {};

TEST_P(SymbolLookup, GivesElementRadiusAndMaterialAndKeepsTheLabel) {
    const SymbolCase& c = GetParam();
    Atom a = withSymbol(c.symbol);
    EXPECT_EQ(a.atomicNumber, c.number);
    EXPECT_DOUBLE_EQ(a.radius, c.radius);
    EXPECT_EQ(a.material, c.material);
    EXPECT_EQ(a.symbol, c.symbol);
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, SymbolLookup,
    ::testing::Values(SymbolCase{"H", 1, 0.29, MaterialId::Green},
                      SymbolCase{"C", 6, 0.77, MaterialId::Blue},
                      SymbolCase{"O", 8, 0.73, MaterialId::Red},
                      SymbolCase{"N", 7, 0.75, MaterialId::Gold},
                      SymbolCase{"S", 16, 1.02, MaterialId::Yellow},
                      SymbolCase{"Cl", 17, 0.99, MaterialId::Grey},
                      SymbolCase{"Cu", 29, 1.17, MaterialId::Copper},
                      SymbolCase{"Pd", 46, 1.28, MaterialId::Purple},
                      SymbolCase{"Ag", 47, 1.34, MaterialId::Dark},
                      SymbolCase{"In", 49, 1.44, MaterialId::Gold},
                      // Past the old table: Cordero radii, gold.
                      SymbolCase{"Sn", 50, 1.39, MaterialId::Gold},
                      SymbolCase{"Pt", 78, 1.36, MaterialId::Gold},
                      SymbolCase{"Og", 118, 1.57, MaterialId::Gold},
                      // Labels that begin with a symbol, two letters first.
                      SymbolCase{"C1", 6, 0.77, MaterialId::Blue},
                      SymbolCase{"CL2", 17, 0.99, MaterialId::Grey},
                      SymbolCase{"H12", 1, 0.29, MaterialId::Green},
                      SymbolCase{"cu", 29, 1.17, MaterialId::Copper},
                      // Nothing fits: an unknown element.
                      SymbolCase{"Qq", 0, 0.01, MaterialId::Gold},
                      SymbolCase{"1H", 0, 0.01, MaterialId::Gold},
                      SymbolCase{"", 0, 0.01, MaterialId::Gold}));

TEST(Element, DummyAtomHasNoRadiusAndKeepsItsLabel) {
    for (const char* s : {"X", "X3", "x"}) {
        Atom a = withSymbol(s);
        EXPECT_EQ(a.atomicNumber, -1) << s;
        EXPECT_EQ(a.radius, 0.0) << s;
        EXPECT_TRUE(a.isDummy()) << s;
        EXPECT_EQ(a.symbol, s);
    }
    // Xe is an element, not a dummy.
    EXPECT_EQ(withSymbol("Xe").atomicNumber, 54);
}

// By number: the table's symbol; outside the table an unknown element that
// keeps the label it had.
TEST(Element, ByNumberSetsTheSymbolFromTheTable) {
    const std::pair<int, const char*> cases[] = {{0, "LP"}, {56, "Ba"},  {79, "Au"},  {118, "Og"},
                                                 {-1, "X"}, {-2, "Zz"}, {119, "Zz"}, {100000, "Zz"}};
    for (const auto& [n, symbol] : cases) {
        Atom a;
        a.symbol = "Zz";
        a.setElementByNumber(n);
        EXPECT_EQ(a.symbol, symbol) << n;
        EXPECT_EQ(a.isDummy(), n == -1) << n;
        if (n < -1 || n > 118) {
            EXPECT_EQ(a.atomicNumber, 0) << n;
            EXPECT_EQ(a.material, MaterialId::Gold) << n;
        }
        if (n != -1 && (n < 1 || n > 118)) {
            EXPECT_DOUBLE_EQ(a.radius, 0.01) << n;
        }
    }
}

TEST(Element, LonePairIsReachedOnlyByNumber) {
    EXPECT_FALSE(elementByExactSymbol("LP").has_value());
    EXPECT_FALSE(elementByExactSymbol("").has_value());
    EXPECT_EQ(elementByExactSymbol("He").value_or(-5), 2);
    EXPECT_FALSE(elementByExactSymbol("HE").has_value()); // exact match is case-sensitive
    EXPECT_EQ(elementByLabelPrefix("HE").value_or(-5), 2); // the label rule is not
}

TEST(Element, EveryElementHasASymbolAndAPlausibleRadius) {
    for (int n = 1; n <= kLastElement; ++n) {
        EXPECT_FALSE(elementSymbol(n).empty()) << n;
        EXPECT_EQ(elementByExactSymbol(elementSymbol(n)).value_or(-1), n) << n;
        EXPECT_GT(atomRadius(n), 0.2) << n;
        EXPECT_LT(atomRadius(n), 2.7) << n;
    }
}

} // namespace
} // namespace kalviro
