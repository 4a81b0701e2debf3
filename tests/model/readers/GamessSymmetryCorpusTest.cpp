// The Firefly divinylbenzene input lists ten unique atoms in CNH 2; their
// expansion must be the twenty atoms the program itself printed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/LineTokens.h"
#include "model/NumberText.h"
#include "model/TextLineReader.h"
#include "model/readers/GamessOutputReader.h"
#include "model/readers/GamessSymmetry.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

TEST(GamessSymmetryCorpusTest, FireflyInputExpandsToTheAtomsOfItsOutput) {
    if (!test::corpusAvailable())
        GTEST_SKIP() << "corpus absent";
    const auto files = test::corpusDir() / "files";
    std::vector<std::string> lines;
    ASSERT_TRUE(forEachLineOfFile((files / "firefly8.0/dvb_ir.inp").string(),
                                  [&](std::string_view l) { lines.emplace_back(l); }));

    // $CONTRL, then $DATA: title, group line, the blank line of the master
    // frame, atoms "label charge x y z" up to $END.
    EXPECT_TRUE(gamessListsUniqueAtoms(lines[0]));
    std::size_t data = 0;
    while (data < lines.size() && lines[data].find("$DATA") == std::string::npos)
        ++data;
    ASSERT_LT(data + 3, lines.size());
    const auto group = parseGamessPointGroup(lines[data + 2]);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->name, "CNH");
    EXPECT_EQ(group->order, 2);
    std::vector<Atom> unique;
    for (std::size_t k = data + 4; k < lines.size() && lines[k].find("$END") == std::string::npos;
         ++k) {
        LineTokens<5> t(lines[k]);
        Atom a;
        a.atomicNumber = static_cast<int>(parseNumber(t[1]));
        a.x = parseNumber(t[2]);
        a.y = parseNumber(t[3]);
        a.z = parseNumber(t[4]);
        unique.push_back(a);
    }
    ASSERT_EQ(unique.size(), 10u);

    const auto all = expandGamessSymmetry(*group, unique);
    ASSERT_TRUE(all.ok()) << all.error();
    const auto job = readGamessOutputFile((files / "gamess-out/Firefly8.0_dvb_ir.out").string());
    ASSERT_TRUE(job.ok()) << job.error();
    std::vector<Atom> printed = job->atoms;
    ASSERT_EQ(all->size(), 20u);
    ASSERT_EQ(printed.size(), 20u);
    for (const Atom& a : *all) {
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
