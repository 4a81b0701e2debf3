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
            const Vector3 want = doc.molecule.atoms[i].position() + d[i] * s;
            EXPECT_EQ(symbol, doc.molecule.atoms[i].symbol);
            EXPECT_LT((Vector3{x, y, z} - want).length(), 2e-8) << frames << " " << i;
        }
        ++frames;
    }
    EXPECT_EQ(frames, 8);
    // A mode the file lacks writes nothing.
    const auto bad = test::runCli({"animate", log, "--mode", "7", "-o", dir.path("7.xyz")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("has 6 modes"), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path("7.xyz")));
}

} // namespace
} // namespace kalviro
