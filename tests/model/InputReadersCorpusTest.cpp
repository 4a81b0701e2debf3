#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

#include "model/readers/GamessInputReader.h"
#include "model/readers/GamessOutputReader.h"
#include "model/readers/GaussianInputReader.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::corpusFile;

using test::angle;
using test::distance;

TEST(InputReadersCorpusTest, GaussianZMatrices) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
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
        EXPECT_EQ(r.atoms[0].symbol + r.atoms[1].symbol + r.atoms[2].symbol, "OHH") << c.file;
        EXPECT_NEAR(distance(r.atoms[0], r.atoms[1]), c.bond, 1e-9) << c.file;
        EXPECT_NEAR(distance(r.atoms[0], r.atoms[2]), c.bond, 1e-9) << c.file;
        EXPECT_NEAR(angle(r.atoms[1], r.atoms[0], r.atoms[2]), c.angle, 1e-9) << c.file;
    }
}

// COORD=CART lists every atom.
TEST(InputReadersCorpusTest, GamessCartesianGroupsGiveEveryAtomAsWritten) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const char* rel = "gamess-us2018/dvb_ir.inp";
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
        EXPECT_EQ(r.atoms[i].position(), expected[i].position()) << rel << i;
    }
}

TEST(InputReadersCorpusTest, GamessZMatrixGroupIsNotTakenForAtoms) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    EXPECT_EQ(parseGamessFile(corpusFile("gamess/exam01.inp")).status, GamessReadStatus::BadGroup);
}

// The Firefly divinylbenzene input lists ten unique atoms in CNH 2; the
// expansion must be the twenty atoms the program itself printed.
TEST(GamessSymmetryCorpusTest, FireflyInputExpandsToTheAtomsOfItsOutput) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const auto input = parseGamessFile(test::corpusFile("firefly8.0/dvb_ir.inp"));
    ASSERT_EQ(input.status, GamessReadStatus::Ok);
    const auto job = readGamessOutputFile(test::corpusFile("gamess-out/Firefly8.0_dvb_ir.out"));
    ASSERT_TRUE(job.ok()) << job.error();
    std::vector<Atom> printed = job->atoms;
    ASSERT_EQ(input.atoms.size(), 20u);
    ASSERT_EQ(printed.size(), 20u);
    for (const Atom& a : input.atoms) {
        auto hit = std::find_if(printed.begin(), printed.end(), [&](const Atom& p) {
            return p.atomicNumber == a.atomicNumber && std::fabs(p.x - a.x) < 1e-4 &&
                   std::fabs(p.y - a.y) < 1e-4 && std::fabs(p.z - a.z) < 1e-4;
        });
        ASSERT_NE(hit, printed.end()) << a.x << " " << a.y << " " << a.z;
        printed.erase(hit);
    }
}

} // namespace
} // namespace kalviro
