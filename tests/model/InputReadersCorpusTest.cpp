#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "model/readers/GamessInputReader.h"
#include "model/readers/GaussianInputReader.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::corpusFile;

using test::angle;
using test::distance;

class InputReadersCorpusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test::corpusAvailable())
            GTEST_SKIP() << "corpus not available";
    }
};

TEST_F(InputReadersCorpusTest, GaussianZMatrices) {
    struct Case {
        const char* file;
        double bond, angle;
    };
    // water_mp2: R1=0.99, A1=106.0; test0237 (tabs everywhere): 0.956, 104.5.
    for (const Case& c :
         {Case{"g09/water_mp2.com", 0.99, 106.0}, Case{"g09/test0237.com", 0.956, 104.5}}) {
        auto r = parseInputFile(corpusFile(c.file));
        ASSERT_EQ(r.status, InputReadStatus::Ok) << c.file;
        ASSERT_EQ(r.atoms.size(), 3u) << c.file;
        EXPECT_EQ(r.atoms[0].symbol, "O") << c.file;
        EXPECT_EQ(r.atoms[1].symbol, "H") << c.file;
        EXPECT_EQ(r.atoms[2].symbol, "H") << c.file;
        EXPECT_NEAR(distance(r.atoms[0], r.atoms[1]), c.bond, 1e-9) << c.file;
        EXPECT_NEAR(distance(r.atoms[0], r.atoms[2]), c.bond, 1e-9) << c.file;
        EXPECT_NEAR(angle(r.atoms[1], r.atoms[0], r.atoms[2]), c.angle, 1e-9) << c.file;
    }
}

TEST_F(InputReadersCorpusTest, GaussianCartesian) {
    auto r = parseInputFile(corpusFile("g16/water_hf_solvent_pcm.com"));
    ASSERT_EQ(r.status, InputReadStatus::Ok);
    ASSERT_EQ(r.atoms.size(), 3u);
    const double expected[3][3] = {
        {-0.00000, -0.11916, 0.00000}, {-0.79065, 0.47664, 0.00000}, {0.79065, 0.47664, -0.00000}};
    const char* symbols[3] = {"O", "H", "H"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(r.atoms[i].symbol, symbols[i]);
        EXPECT_EQ(r.atoms[i].x, expected[i][0]) << i;
        EXPECT_EQ(r.atoms[i].y, expected[i][1]) << i;
        EXPECT_EQ(r.atoms[i].z, expected[i][2]) << i;
    }
}

TEST_F(InputReadersCorpusTest, GamessCartesianGroupsGiveEveryAtomAsWritten) {
    // COORD=CART lists every atom (the Firefly input's unique half is
    // expanded in GamessSymmetryCorpusTest).
    for (const char* rel : {"gamess-us2018/dvb_ir.inp"}) {
        // Every "label charge x y z" line of the file, read here with streams.
        std::vector<Atom> expected;
        std::istringstream lines(test::readFileBytes(corpusFile(rel)));
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            std::string label;
            double charge, x, y, z;
            if (fields >> label >> charge >> x >> y >> z) {
                Atom a;
                a.atomicNumber = static_cast<int>(charge);
                a.x = x, a.y = y, a.z = z;
                expected.push_back(a);
            }
        }
        ASSERT_GE(expected.size(), 10u) << rel;
        auto r = parseGamessFile(corpusFile(rel));
        ASSERT_EQ(r.status, GamessReadStatus::Ok) << rel;
        ASSERT_EQ(r.atoms.size(), expected.size()) << rel;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(r.atoms[i].atomicNumber, expected[i].atomicNumber) << rel << i;
            EXPECT_EQ(r.atoms[i].x, expected[i].x) << rel << i;
            EXPECT_EQ(r.atoms[i].y, expected[i].y) << rel << i;
            EXPECT_EQ(r.atoms[i].z, expected[i].z) << rel << i;
        }
    }
}

TEST_F(InputReadersCorpusTest, GamessZMatrixGroupIsNotTakenForAtoms) {
    EXPECT_EQ(parseGamessFile(corpusFile("gamess/exam01.inp")).status, GamessReadStatus::BadGroup);
}

} // namespace
} // namespace kalviro
