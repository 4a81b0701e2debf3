#include <gtest/gtest.h>

#include "render/AnnotationDrawers.h"

namespace kalviro {
namespace {

TEST(AngleTextTest, ReducesTowardZeroAndKeepsTwoDecimals) {
    const struct {
        float total;
        const char* text;
    } cases[] = {{370.5f, "10.50"}, {-370.5f, "-10.50"}, {720.0f, "0.00"}, {359.75f, "359.75"},
                 {-45.0f, "-45.00"}, {0.0f, "0.00"},
                 // Far beyond an int's range: whole turns still come off.
                 {1e10f, "280.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(angleText(c.total), c.text) << c.total;
}

TEST(AtomLabelTest, FirstNinetyFromTheTableThenPlainNumbers) {
    EXPECT_EQ(atomLabel(9), "10");
    EXPECT_EQ(atomLabel(10), "11");
    EXPECT_EQ(atomLabel(89), "90");
    EXPECT_EQ(atomLabel(90), "91");
    EXPECT_EQ(atomLabel(999), "1000");
}

} // namespace
} // namespace kalviro
