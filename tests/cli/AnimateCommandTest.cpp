#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "document/FileOpening.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

class AnimateCommandTest : public test::DocumentTest {};

// The XYZ movie needs no display: frame k holds x0 + a sin(2 pi k / N) d,
// worked out here from the atoms and the mode the viewer reads.
TEST_F(AnimateCommandTest, XyzFramesFollowTheSine) {
    const std::string log = test::examplePath("formaldehyde_opt_freq.log");
    ASSERT_TRUE(openMoleculeFile(doc, log).read);
    ASSERT_EQ(doc.vibrations.modes.size(), 6u);
    const auto& d = doc.vibrations.modes[4];
    test::TempDir dir;
    const auto r = test::runCli({"animate", log, "--mode", "5", "-o", dir.path("m.xyz"),
                                 "--frames", "8", "--amplitude", "0.3"});
    ASSERT_EQ(r.status, 0) << r.err;

    std::istringstream in(test::readFileBytes(dir.path("m.xyz")));
    const double pi = std::acos(-1.0);
    int frames = 0;
    std::string count, comment;
    while (std::getline(in, count) && !count.empty()) {
        ASSERT_EQ(count, "4");
        std::getline(in, comment);
        EXPECT_NE(comment.find(doc.vibrations.frequencies[4] + " cm-1"), std::string::npos);
        const double s = 0.3 * std::sin(2.0 * pi * frames / 8.0);
        for (std::size_t i = 0; i < 4; ++i) {
            std::string symbol;
            double x, y, z;
            in >> symbol >> x >> y >> z;
            in.ignore(1);
            const Atom& a = doc.molecule.atoms[i];
            EXPECT_EQ(symbol, a.symbol);
            EXPECT_NEAR(x, a.x + s * d[i].x, 1e-7) << "frame " << frames << " atom " << i;
            EXPECT_NEAR(y, a.y + s * d[i].y, 1e-7);
            EXPECT_NEAR(z, a.z + s * d[i].z, 1e-7);
        }
        ++frames;
    }
    EXPECT_EQ(frames, 8);
}

TEST_F(AnimateCommandTest, RefusesModesTheFileLacksAndOddCounts) {
    test::TempDir dir;
    const std::string log = test::examplePath("formaldehyde_opt_freq.log");
    const std::vector<std::vector<std::string>> bad = {
        {"--mode", "7"}, {"--mode", "0"}, {"--frames", "0"}, {"--size", "10"}};
    for (const auto& extra : bad) {
        std::vector<std::string> args = {"animate", log, "-o", dir.path("m.xyz")};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto r = test::runCli(args);
        EXPECT_EQ(r.status, 1) << extra[0] << " " << extra[1];
        EXPECT_NE(r.err.find(extra[0]), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path("m.xyz")));
}

} // namespace
} // namespace kalviro
