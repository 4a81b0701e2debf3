#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "OrbitalTestSupport.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::FchkParts;

class OrbitalBatch : public ::testing::Test {
  protected:
    test::TempDir dir;
    std::string water;

    void SetUp() override {
        FchkParts p; // water: O at z = 0.2217, H at y = +-1.4309, z = -0.8867 bohr
        p.coefficients.assign(49, 0.0);
        p.coefficients[4 * 7 + 2] = 1.0; // HOMO (5) = O px
        p.coefficients[1 * 7 + 0] = 1.0; // orbital 2 = O 1s
        water = dir.path("water.fchk");
        test::writeFileBytes(water, test::fchkText(p));
    }
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

TEST_F(OrbitalBatch, CubeFileContoursAndSummary) {
    const auto r = test::runCli(
        {"orbital", water, "--cube", dir.path("o.cube"), "--contours", dir.path("o.txt")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string cube = test::readFileBytes(dir.path("o.cube"));
    const auto c = lines(cube);
    ASSERT_GT(c.size(), 9u);
    // Box by hand, in bohr: the margin 1.82 / 0.529167 = 3.439368 beyond the
    // atoms: x 0, y +-1.4309, z -0.8867 .. 0.2217; steps are edges / 50.
    int atoms = 0;
    double origin[3] = {};
    ASSERT_EQ(
        std::sscanf(c[2].c_str(), "%d %lf %lf %lf", &atoms, &origin[0], &origin[1], &origin[2]), 4);
    EXPECT_EQ(atoms, -3); // negative: one orbital, its number after the atoms
    EXPECT_NEAR(origin[0], -3.439368, 2e-6);
    EXPECT_NEAR(origin[1], -4.870268, 2e-6);
    EXPECT_NEAR(origin[2], -4.326068, 2e-6);
    EXPECT_EQ(c[3], "   51    0.137575    0.000000    0.000000");
    EXPECT_EQ(c[4], "   51    0.000000    0.194811    0.000000");
    EXPECT_EQ(c[5], "   51    0.000000    0.000000    0.159743");
    EXPECT_EQ(c[6], "    8    8.000000    0.000000    0.000000    0.221700");
    EXPECT_EQ(c[7], "    1    1.000000    0.000000    1.430900   -0.886700");
    EXPECT_EQ(c[9], "    1    5");
    // Values: x outermost, z innermost, six a line and a new line after each z run.
    ASSERT_EQ(c.size(), 10u + 51u * 51u * 9u);
    auto value = [&](int x, int y, int z) {
        const std::string& line = c[10 + (x * 51 + y) * 9 + z / 6];
        return std::stod(line.substr((z % 6) * 13, 13));
    };
    // O px from the published STO-3G 2sp expansion with zeta 2.25.
    const double a[3] = {0.994203, 0.231031, 0.0751386}, d[3] = {0.155916, 0.607684, 0.391957};
    auto px = [&](int x, int y, int z) {
        const double dx = -3.439368 + x * 0.137575, dy = -4.870268 + y * 0.194811,
                     dz = -4.326068 + z * 0.159743 - 0.2217;
        double sum = 0;
        for (int k = 0; k < 3; ++k) {
            const double e = a[k] * 2.25 * 2.25;
            sum += d[k] * test::cartesianNorm(e, 1, 0, 0) * dx *
                   std::exp(-e * (dx * dx + dy * dy + dz * dz));
        }
        return sum;
    };
    for (const auto& p :
         std::vector<std::array<int, 3>>{{20, 25, 26}, {31, 24, 27}, {27, 20, 30}}) {
        const double want = px(p[0], p[1], p[2]);
        EXPECT_NEAR(value(p[0], p[1], p[2]), want, 1e-4 * std::abs(want) + 1e-6);
        EXPECT_GT(std::abs(want), 0.01);
    }

    // Summary and contour blocks agree.
    unsigned loops = 0, points = 0;
    ASSERT_EQ(std::sscanf(r.out.c_str(),
                          "basis STO-3G orbital 5 box x -1.8200 1.8200 y -2.5772 2.5772 z "
                          "-2.2892 1.9373 loops %u points %u",
                          &loops, &points),
              2)
        << r.out;
    const auto t = lines(test::readFileBytes(dir.path("o.txt")));
    unsigned blocks = 0, rows = 0;
    for (std::size_t n = 0; n < t.size();) {
        int count = 0;
        char sign[3] = {};
        ASSERT_EQ(std::sscanf(t[n].c_str(), "%2s %d", sign, &count), 2) << t[n];
        EXPECT_EQ(std::string(sign), "+1" == std::string(sign) ? "+1" : "-1");
        ++blocks;
        rows += count;
        EXPECT_EQ(t[n + 1], t[n + count]); // closed
        n += count + 2;
    }
    EXPECT_EQ(blocks, loops);
    EXPECT_EQ(rows, points);
}

TEST_F(OrbitalBatch, RequestedOrbitalAndRefusals) {
    auto r = test::runCli({"orbital", water, "--mo", "2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("orbital 2 "), std::string::npos);

    for (const char* bad : {"--mo=0", "--mo=8", "--mo=-3"}) {
        r = test::runCli({"orbital", water, bad});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find("適切な番号を指定してください"), std::string::npos) << bad;
    }
    FchkParts p;
    p.basis = "6-311G**";
    p.coefficients.assign(49, 0.5);
    test::writeFileBytes(dir.path("big.fchk"), test::fchkText(p));
    r = test::runCli({"orbital", dir.path("big.fchk"), "--cube", dir.path("big.cube")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("6-311G**\n対応できない基底関数系です"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path("big.cube")));

    for (const auto& [bad, told] : {std::pair{"--points=1", "--points"}, {"--points=201", "--points"},
                                    {"--margin=0", "--margin"}, {"--margin=-1", "--margin"}}) {
        r = test::runCli({"orbital", water, bad, "--cube", dir.path("bad.cube")});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find(std::string(told) + " の"), std::string::npos) << bad << r.err;
    }
    // Without shell data the cube is the contour grid only.
    r = test::runCli({"orbital", water, "--points", "31", "--cube", dir.path("w.cube")});
    EXPECT_NE(r.err.find("格子は 51 点と既定の余白に限られます"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path("w.cube")));
}

// The file's own basis: --points and --margin shape the cube; its centre is
// the default cube's centre point.
TEST_F(OrbitalBatch, MoldenBetaCubeOfChosenSize) {
    const std::string molden = test::dataPath("orbital/oh_radical_pure.molden");
    auto r = test::runCli({"orbital", molden, "--beta"});
    EXPECT_EQ(r.out.rfind("basis MOLDEN orbital 4 beta box", 0), 0u) << r.out;
    r = test::runCli({"orbital", molden, "--beta", "--mo", "2", "--points", "3", "--margin", "2",
                      "--cube", dir.path("small.cube")});
    ASSERT_EQ(r.status, 0) << r.err;
    r = test::runCli({"orbital", molden, "--beta", "--mo", "2", "--cube", dir.path("big.cube")});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto small = lines(test::readFileBytes(dir.path("small.cube")));
    const auto big = lines(test::readFileBytes(dir.path("big.cube")));
    ASSERT_EQ(small.size(), 6u + 2u + 1u + 9u); // header, atoms, orbital line, 9 rows of 3
    // Atoms: O (0.188973, -0.094486, 0.037795), H (0.661404, 1.360603, 1.039349) bohr.
    EXPECT_EQ(small[2], "   -2   -1.811027   -2.094486   -1.962205");
    EXPECT_EQ(small[3], "    3    2.236216    0.000000    0.000000");
    EXPECT_EQ(small[5], "    3    0.000000    0.000000    2.500777");
    EXPECT_EQ(small[8], "    1    2");
    EXPECT_EQ(big[3].substr(0, 5), "   51");
    const double centre = std::stod(small[9 + 4].substr(13, 13));
    const double bigCentre = std::stod(big[9 + (25 * 51 + 25) * 9 + 4].substr(13, 13));
    EXPECT_NEAR(centre, bigCentre, 1e-5 * std::abs(bigCentre));
    EXPECT_GT(std::abs(centre), 1e-3);

    r = test::runCli({"orbital", water, "--beta", "--cube", dir.path("b.cube")}); // closed shell
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("分子軌道の係数がありません"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path("b.cube")));

    r = test::runCli({"orbital", dir.path("none.fchk")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ファイルが開けません"), std::string::npos);
}

TEST_F(OrbitalBatch, DumpListsHeaderAtomsAndTheRequestedOrbital) {
    const auto r = test::runCli({"dump", water, "--mo", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* part :
         {"\"atomnos\":[8,1,1]", "\"nbasis\":7", "\"nelectrons\":10", "\"homo_index_1based\":5",
          "\"homo_alpha_mo_coefficients\":[0.0,0.0,1.0,0.0,0.0,0.0,0.0]",
          "\"alpha_mo_coefficients\":[1.0,0.0,0.0,0.0,0.0,0.0,0.0]", "\"mo_index_1based\":2",
          "\"basis_name_line2_field\":\"STO-3G\"", "\"supported_basis\":true"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
    EXPECT_NE(r.out.find("\"orbitals\":[]"), std::string::npos); // no shell data
}

// OH radical, 9 electrons: 5 alpha and 4 beta occupied of 30 each, the same
// in the checkpoint file and in the Molden file (whose energies and
// coefficients MoldenReaderTest compares).
TEST_F(OrbitalBatch, DumpListsTheOrbitalsOfBothFiles) {
    for (const char* name : {"orbital/oh_radical_pure.fchk", "orbital/oh_radical_pure.molden"}) {
        const auto r = test::runCli({"dump", test::dataPath(name)});
        ASSERT_EQ(r.status, 0) << r.err;
        const auto orbitals = nlohmann::json::parse(r.out)["orbitals"];
        ASSERT_EQ(orbitals.size(), 60u) << name;
        double electrons[2] = {};
        for (const auto& o : orbitals)
            electrons[o["spin"] == "beta"] += o["occupation"].get<double>();
        EXPECT_EQ(electrons[0], 5.0);
        EXPECT_EQ(electrons[1], 4.0);
        EXPECT_EQ(orbitals[34]["number"], 5);
        EXPECT_EQ(orbitals[34]["spin"], "beta");
        EXPECT_NEAR(orbitals[0]["energy"].get<double>(), -19.864322, 1e-5) << name; // O 1s
    }
}

} // namespace
} // namespace kalviro
