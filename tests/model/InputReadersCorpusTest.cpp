#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "model/readers/GamessInputReader.h"
#include "model/readers/GaussianInputReader.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

std::string corpusFile(const std::string& rel) {
    return (test::corpusDir() / "files" / rel).string();
}

double distance(const Atom& a, const Atom& b) {
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}
double angle(const Atom& a, const Atom& b, const Atom& c) {
    const double ux = a.x - b.x, uy = a.y - b.y, uz = a.z - b.z;
    const double vx = c.x - b.x, vy = c.y - b.y, vz = c.z - b.z;
    return std::acos((ux * vx + uy * vy + uz * vz) /
                     (std::hypot(ux, uy, uz) * std::hypot(vx, vy, vz))) *
           180.0 / M_PI;
}

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

TEST_F(InputReadersCorpusTest, GamessCartesianGroups) {
    struct Case {
        const char* file;
        std::size_t atoms;
        double first[3], last[3];
        int lastNumber;
    };
    const Case cases[] = {
        {"gamess-us2018/dvb_ir.inp",
         20,
         {-1.4152533224, 0.2302217854, 0.0},
         {-4.9316453546, -0.0711049543, 0.0},
         1},
        {"firefly8.0/dvb_ir.inp",
         10,
         {-1.3939882447, 0.2213755683, 0.0},
         {-4.8733853301, -0.0604752833, 0.0},
         1},
    };
    for (const auto& c : cases) {
        auto r = parseGamessFile(corpusFile(c.file));
        ASSERT_EQ(r.status, GamessReadStatus::Ok) << c.file;
        ASSERT_EQ(r.atoms.size(), c.atoms) << c.file;
        EXPECT_EQ(r.atoms.front().atomicNumber, 6) << c.file;
        EXPECT_EQ(r.atoms.back().atomicNumber, c.lastNumber) << c.file;
        EXPECT_EQ(r.atoms.front().x, c.first[0]);
        EXPECT_EQ(r.atoms.front().y, c.first[1]);
        EXPECT_EQ(r.atoms.front().z, c.first[2]);
        EXPECT_EQ(r.atoms.back().x, c.last[0]);
        EXPECT_EQ(r.atoms.back().y, c.last[1]);
        EXPECT_EQ(r.atoms.back().z, c.last[2]);
    }
    // Five carbons and five hydrogens in the unique half written by Firefly,
    // ten carbons and ten hydrogens in the whole molecule.
    auto count = [](const std::vector<Atom>& atoms, int n) {
        return std::count_if(atoms.begin(), atoms.end(),
                             [n](const Atom& a) { return a.atomicNumber == n; });
    };
    const auto whole = parseGamessFile(corpusFile("gamess-us2018/dvb_ir.inp")).atoms;
    EXPECT_EQ(count(whole, 6), 10);
    EXPECT_EQ(count(whole, 1), 10);
    const auto half = parseGamessFile(corpusFile("firefly8.0/dvb_ir.inp")).atoms;
    EXPECT_EQ(count(half, 6), 5);
    EXPECT_EQ(count(half, 1), 5);
}

TEST_F(InputReadersCorpusTest, GamessZMatrixGroupIsNotTakenForAtoms) {
    EXPECT_EQ(parseGamessFile(corpusFile("gamess/exam01.inp")).status, GamessReadStatus::BadGroup);
}

} // namespace
} // namespace kalviro
