#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "document/FileOpening.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::runCli;

const std::string& kHeader = test::kIrTableHeader;

class BatchCommandsTest : public ::testing::Test {
  protected:
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string p = dir_.path(name);
        test::writeFileBytes(p, bytes);
        return p;
    }
    test::TempDir dir_;
};

TEST_F(BatchCommandsTest, CoordsOfEveryInputKind) {
    struct Case {
        const char* name;
        const char* content;
        const char* bytes;
    };
    const Case cases[] = {
        {"water.gjf", "%chk=w\n#p hf\n\nwater\n\n0 1\nO\nH 1 R\nH 1 R 2 90.0\n\nR 1.0\n",
         "O 0.000000 0.000000 0.000000\r\nH 0.000000 0.000000 1.000000\r\nH 1.000000 0.000000 "
         "0.000000\r\n"},
        {"water.DAT",
         "#p hf\r\n\r\nwater\r\n\r\n0 1\r\nO 0.0 0.0 0.1173\r\nH 0.0 0.7572 -0.4692\r\n",
         "O 0.000000 0.000000 0.117300\r\nH 0.000000 0.757200 -0.469200\r\n"},
        {"water.inp",
         " $DATA\nwater\nC1\n O 8.0 0.0 0.0 0.1173\n H 1.0 0.0 -0.7572 -0.4692\n $END\n",
         "O 0.000000 0.000000 0.117300\r\nH 0.000000 -0.757200 -0.469200\r\n"},
    };
    for (const auto& c : cases) {
        const std::string out = dir_.path(std::string(c.name) + ".txt");
        const auto r = runCli({"coords", write(c.name, c.content), "-o", out});
        EXPECT_EQ(r.status, 0) << c.name << r.err;
        EXPECT_EQ(r.err, "") << c.name;
        EXPECT_EQ(test::readFileBytes(out), c.bytes) << c.name;
    }
}

TEST_F(BatchCommandsTest, IrOfAFileWithoutVibrations) {
    const std::string input = write("w.com", "#p\n\nt\n\n0 1\nO 0 0 0\n");
    const std::string out = dir_.path("ir.csv");
    auto r = runCli({"ir", input, "-o", out});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::readFileBytes(out), kHeader);

    const std::string sorted = dir_.path("irsorted.csv");
    r = runCli({"ir", input, "-o", sorted, "--by-symmetry"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("IRデータの読み込みができていません"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(sorted));
}

TEST_F(BatchCommandsTest, FailuresExitNonZeroWithTheMessage) {
    const std::string good = write("w.dat", "#p\n\nt\n\n0 1\nO 0 0 0\n");
    const std::string existing = write("keep.txt", "old");
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"coords", dir_.path("missing.dat"), "-o", existing}, "ファイルが開けません"},
        {{"ir", dir_.path("missing.log"), "-o", existing}, "ファイルが開けません"},
        {{"coords", write("w.xyz", "1\n\nO 0 0 0\n"), "-o", existing},
         "このファイル形式には対応していません"},
        {{"ir", write("w.txt", "x"), "-o", existing}, "このファイル形式には対応していません"},
        {{"coords", good, "-o", dir_.path("no/folder/c.txt")},
         "ファイルを保存できません: c.txt\n保存先のフォルダがありません"},
        {{"ir", good, "-o", dir_.dir().string()}, "ファイルを保存できません"},
        {{"coords", write("empty.dat", "#p\n\nt\n\n0 1\n"), "-o", existing}, ""},
        {{"dump", dir_.path("missing.log")}, "ファイルが開けません"},
        {{"dump", write("banner.log", " Entering Gaussian System\n")}, "banner.log"},
        {{"dump", dir_.path("banner.log")}, "原子の座標が見つかりません"},
        {{"dump"}, ""},
        {{"ir", test::dataPath("gaussian-output/g98_opt_freq.log"), "--isotope", "1=2H", "-o",
          existing},
         "g98_opt_freq.log には力の定数(ヘシアン)がないため、同位体の質量を変えられません"},
    };
    for (const auto& c : cases) {
        const auto r = runCli(c.args);
        const std::string& what = c.args.back();
        EXPECT_NE(r.status, 0) << what;
        EXPECT_FALSE(r.err.empty()) << what;
        EXPECT_EQ(r.out, "") << what;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << what << ": " << r.err;
        EXPECT_EQ(test::readFileBytes(existing), "old") << what;
    }
}

TEST_F(BatchCommandsTest, DumpReadsInputFilesWithTheSameSchema) {
    for (const char* name : {"w.gjf", "w.inp"}) {
        const std::string p = std::string(name) == "w.gjf"
                                  ? write(name, "#p\n\nt\n\n0 1\nC1 0.0 0.0 1.5\n")
                                  : write(name, " $DATA\nt\nC1\n C1 6.0 0.0 0.0 1.5\n $END\n");
        const auto r = runCli({"dump", p});
        ASSERT_EQ(r.status, 0) << r.err;
        const auto j = nlohmann::json::parse(r.out);
        for (const char* key : {"atoms", "frequencies", "intensities", "symmetries", "modes",
                                "dipoleDerivatives", "modesLoaded", "dipolesLoaded"})
            EXPECT_TRUE(j.contains(key)) << name << " " << key;
        ASSERT_EQ(j["atoms"].size(), 1u);
        EXPECT_EQ(j["atoms"][0]["atomicNumber"], 6);
        EXPECT_EQ(j["atoms"][0]["z"], 1.5);
        EXPECT_EQ(j["modesLoaded"], false);
    }
}

TEST(DumpCommand, SummaryPrintsOnlyTheCounts) {
    auto r = test::runCli({"dump", "--summary", test::dataPath("gaussian-output/g16_freq_only.log")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "atoms 3 modes 3 dipoleDerivatives 2\n");
}

TEST(DumpCommand, TextsThatAreNotUtf8StillGiveValidJson) {
    test::TempDir dir;
    const std::string file = test::readFileBytes(test::dataPath("gaussian-output/g16_freq_only.log"));
    const std::string geometry = file.substr(0, file.find("Standard orientation"));
    test::writeFileBytes(dir.path("latin.log"), geometry + " A\xe9 B1 \x82\xa0\n"
                                                 " Frequencies --  100.0  200.0  300.0\n");
    auto r = test::runCli({"dump", dir.path("latin.log")});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["symmetries"][0], "A\xef\xbf\xbd");
    EXPECT_EQ(j["symmetries"][1], "B1");
}

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
