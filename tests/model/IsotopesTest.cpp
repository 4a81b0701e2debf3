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

// The table holds the natural isotopes of H to Xe (from the nuclide
// chart), and tritium, 14C and 98Tc: no isotope under another element.
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
        for (int a = z; a <= 3 * z + 10; ++a)
            if (isotopeMass(std::to_string(a) + std::string(elementSymbol(z))))
                found += (found.empty() ? "" : " ") + std::to_string(a);
        EXPECT_EQ(found, natural[z - 1]) << elementSymbol(z);
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

} // namespace
} // namespace kalviro
