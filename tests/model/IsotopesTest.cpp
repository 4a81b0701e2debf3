#include <gtest/gtest.h>

#include <string>

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

// Every isotope the table knows has a mass within 0.1 amu of its mass
// number (the mass excess of the stable isotopes up to Xe stays below that),
// and the standard mass of every element is one of its isotopes.
TEST(IsotopesTest, EveryMassLiesNearItsMassNumber) {
    int known = 0;
    for (int z = 1; z <= 54; ++z) {
        const std::string symbol(elementSymbol(z));
        bool standardFound = false;
        int ofElement = 0;
        for (int a = z; a <= 3 * z + 10; ++a) {
            const auto m = isotopeMass(std::to_string(a) + symbol);
            if (!m)
                continue;
            ++known;
            ++ofElement;
            EXPECT_NEAR(*m, a, 0.1) << a << symbol;
            standardFound = standardFound || *m == standardIsotopeMass(z);
        }
        EXPECT_TRUE(standardFound || ofElement == 0) << symbol;
    }
    EXPECT_GT(known, 100);
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

} // namespace
} // namespace kalviro
