#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TestSupport.h"

namespace kalviro {
namespace {

// kalviro-cli render with DISPLAY removed from its environment: a bad size is
// refused before anything else, then the missing display; nothing is written.
TEST(RenderWithoutDisplay, SaysWhyAndWritesNothing) {
    test::TempDir dir;
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "no X display"}, {"600", "--size"},       {"0x10", "--size"},
        {"10x-3", "--size"},       {"600x600x3", "--size"}, {"axb", "--size"}};
    for (const auto& [size, reason] : cases) {
        std::vector<std::string> args = {KALVIRO_CLI_PATH, "render",
                                         test::dataPath("render/water.log"), "-o", dir.path("w.bmp")};
        if (size)
            args.insert(args.end(), {"--size", size});
        const auto r = test::runCommand(args, {"DISPLAY"});
        EXPECT_EQ(r.status, 1) << (size ? size : "");
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.path("w.bmp")));
    }
}

} // namespace
} // namespace kalviro
