#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/TestSupport.h"

namespace kalviro {
namespace {

// Runs kalviro-cli with DISPLAY removed from its environment.
class WithoutDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* d = std::getenv("DISPLAY"))
            saved_ = d;
        unsetenv("DISPLAY");
    }
    void TearDown() override {
        if (saved_)
            setenv("DISPLAY", saved_->c_str(), 1);
    }
    std::optional<std::string> saved_;
};

TEST_F(WithoutDisplay, SaysSoAndFails) {
    test::TempDir dir;
    const auto r =
        test::runCli({"render", test::dataPath("render/water.log"), "-o", dir.path("w.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no X display"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path("w.bmp")));
}

TEST_F(WithoutDisplay, BadSizeIsRefusedBeforeAnythingElse) {
    test::TempDir dir;
    for (const char* size : {"600", "0x10", "10x-3", "600x600x3", "axb"}) {
        const auto r = test::runCli({"render", test::dataPath("render/water.log"), "-o",
                                     dir.path("w.bmp"), "--size", size});
        EXPECT_EQ(r.status, 1) << size;
        EXPECT_NE(r.err.find("--size"), std::string::npos) << size << ": " << r.err;
    }
}

} // namespace
} // namespace kalviro
