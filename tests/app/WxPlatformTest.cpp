#include <gtest/gtest.h>

#include "app/WxPlatform.h"

using namespace kalviro;

TEST(FileDialogFilter, DropsTheClosingBarsAndKeepsJapanese) {
    EXPECT_EQ(wildcardFromFilter("text|*.csv|AllFile(*.*)|*.*||"), "text|*.csv|AllFile(*.*)|*.*");
    EXPECT_EQ(wildcardFromFilter("FCHK(*.FChk)|*.FChk|"), "FCHK(*.FChk)|*.FChk");
    EXPECT_EQ(wildcardFromFilter("(*.bmp)|*.bmp|全て(*.*)|*.*||").utf8_string(),
              "(*.bmp)|*.bmp|全て(*.*)|*.*");
    EXPECT_EQ(wildcardFromFilter(""), "");
}

TEST(FileDialogName, DefaultExtensionOnlyWhenTheNameHasNone) {
    const char* const cases[][3] = {
        {"/tmp/ir", "csv", "/tmp/ir.csv"},
        {"/tmp/ir.txt", "csv", "/tmp/ir.txt"},
        {"/tmp/a.b/ir", "csv", "/tmp/a.b/ir.csv"},
        {"/tmp/picture", "", "/tmp/picture"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withDefaultExtension(c[0], c[1]), c[2]) << c[0];
}
