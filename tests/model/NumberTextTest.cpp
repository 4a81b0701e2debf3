#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <utility>

#include "model/NumberText.h"

using namespace kalviro;

TEST(NumberText, ExponentsHaveThreeDigits) {
    EXPECT_EQ(formatG(1.5e-7), "1.5e-007");
    EXPECT_EQ(formatG(1e10), "1e+010");
    EXPECT_EQ(formatG(-2.5e-123), "-2.5e-123");
    EXPECT_EQ(formatG(123456789.0), "1.23457e+008");
    EXPECT_EQ(formatNumber("%E", 0.000125), "1.250000E-004");
    EXPECT_EQ(formatNumber("%.3e,", 5.0), "5.000e+000,");
}

TEST(NumberText, PlainNumbersAreUntouched) {
    EXPECT_EQ(formatG(0.0), "0");
    EXPECT_EQ(formatG(1000.5), "1000.5");
    EXPECT_EQ(formatG(0.0001), "0.0001");
    EXPECT_EQ(formatNumber("%lf", -1.25), "-1.250000");
}

TEST(NumberText, ReadsFortranExponents) {
    EXPECT_DOUBLE_EQ(parseNumber("1.5D-01"), 0.15);
    EXPECT_DOUBLE_EQ(parseNumber("-2.97993d+02"), -297.993);
    EXPECT_DOUBLE_EQ(parseNumber("4.25E1"), 42.5);
    EXPECT_DOUBLE_EQ(parseNumber("7.5abc"), 7.5);
    EXPECT_EQ(parseNumber("abc"), 0.0);
    EXPECT_EQ(parseNumber(""), 0.0);
}

TEST(NumberText, WholeTokens) {
    double d = -1;
    EXPECT_TRUE(parseWholeNumber("-0.45", d));
    EXPECT_DOUBLE_EQ(d, -0.45);
    EXPECT_TRUE(parseWholeNumber("+3", d));
    EXPECT_DOUBLE_EQ(d, 3);
    EXPECT_TRUE(parseWholeNumber("1.0D+02", d));
    EXPECT_DOUBLE_EQ(d, 100);
    EXPECT_FALSE(parseWholeNumber("0.45x", d));
    EXPECT_FALSE(parseWholeNumber("A1", d));
    EXPECT_FALSE(parseWholeNumber("", d));
    long n = 0;
    EXPECT_TRUE(parseWholeInteger("12", n));
    EXPECT_EQ(n, 12);
    EXPECT_FALSE(parseWholeInteger("1.0", n));
    EXPECT_FALSE(parseWholeInteger("AN", n));
    EXPECT_FALSE(parseWholeInteger("+", n));
}

// Plain decimals give the C library's double; anything else is left to it.
TEST(NumberText, PlainDecimalsAsTheCLibraryReadsThem) {
    const std::pair<const char*, bool> cases[] = {
        {"-12345678.9012345", true}, {"123456789012345", true}, {"0.00000001234567", true},
        {"99999999.9999999", true},  {"1234567890123456", false}, {"1234567:.5", false},
        {"12345678/", false},        {"12.34567890a", false},    {"-.12345678", false}};
    for (const auto& [text, plain] : cases) {
        double d = 0;
        ASSERT_EQ(parsePlainDecimal(text, d), plain) << text;
        if (plain) {
            EXPECT_EQ(d, std::strtod(text, nullptr)) << text;
        }
    }
}

TEST(NumberText, LeadingIntegerReadsAsTheCLibraryDoesWithoutOverflow) {
    const std::pair<const char*, int> cases[] = {
        {"abc", 0},  {"", 0},         {"  42", 42},         {"+7", 7},
        {"-3x", -3}, {"12.9", 12},    {"\t\n5", 5},         {"- 5", 0},
        {"0009", 9}, {"99999999999", INT_MAX}, {"-2147483648", INT_MIN}, {"-99999999999", INT_MIN}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(leadingInteger(text), expected) << '"' << text << '"';
}
