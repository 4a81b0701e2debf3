// The Firefly divinylbenzene input lists ten unique atoms in CNH 2; the
// reader's expansion must be the twenty atoms the program itself printed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/readers/GamessInputReader.h"
#include "model/readers/GamessOutputReader.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

TEST(GamessSymmetryCorpusTest, FireflyInputExpandsToTheAtomsOfItsOutput) {
    if (!test::corpusAvailable())
        GTEST_SKIP() << "corpus absent";
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
