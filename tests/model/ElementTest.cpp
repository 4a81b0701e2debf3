#include <gtest/gtest.h>

#include "model/Atom.h"
#include "model/ElementTable.h"

using namespace kalviro;

namespace {

Atom withSymbol(const std::string& s) {
    Atom a;
    a.symbol = s;
    a.setElementBySymbol();
    return a;
}

} // namespace

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
