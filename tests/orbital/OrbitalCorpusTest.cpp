#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "OrbitalTestSupport.h"
#include "orbital/CheckpointReader.h"
#include "orbital/MolecularOrbital.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using nlohmann::json;

std::string corpusFile(const std::string& name) {
    return (test::corpusDir() / "files" / name).string();
}

// Every array of a formatted checkpoint file by its title, read with the
// file's own declared count.
std::map<std::string, std::vector<double>> fchkArrays(const std::string& path) {
    std::map<std::string, std::vector<double>> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const auto n = line.find("N=");
        if (line.size() < 44 || n == std::string::npos || n < 43)
            continue;
        std::string title = line.substr(0, 40);
        title.erase(title.find_last_not_of(' ') + 1);
        const long count = std::stol(line.substr(n + 2));
        std::vector<double>& values = out[title];
        while (static_cast<long>(values.size()) < count && in >> line)
            values.push_back(std::stod(line));
        std::getline(in, line);
    }
    return out;
}

// The orbital from the file's own basis sections, in double precision.
std::vector<test::DirectGaussian> fileOrbital(const std::string& path, int orbital) {
    auto a = fchkArrays(path);
    const auto& types = a["Shell types"];
    const auto& primitives = a["Number of primitives per shell"];
    const auto& atomOf = a["Shell to atom map"];
    const auto& exponents = a["Primitive exponents"];
    const auto& coefficients = a["Contraction coefficients"];
    const auto& pCoefficients = a["P(S=P) Contraction coefficients"];
    const auto& xyz = a["Current cartesian coordinates"];
    const auto& mo = a["Alpha MO coefficients"];
    std::size_t functions = 0;
    for (double t : types)
        functions += t == 0 ? 1 : t == 1 ? 3 : t == -1 ? 4 : t == 2 ? 6 : 5;
    const double* c = mo.data() + static_cast<std::size_t>(orbital) * functions;

    static const int powers[10][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {2, 0, 0},
                                      {0, 2, 0}, {0, 0, 2}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}};
    std::vector<test::DirectGaussian> out;
    std::size_t mu = 0, prim = 0;
    for (std::size_t s = 0; s < types.size(); ++s) {
        const int t = static_cast<int>(types[s]);
        std::vector<int> kinds;
        if (t == 0)
            kinds = {0};
        else if (t == 1)
            kinds = {1, 2, 3};
        else if (t == -1)
            kinds = {0, 1, 2, 3};
        else if (t == 2)
            kinds = {4, 5, 6, 7, 8, 9};
        else
            ADD_FAILURE() << "shell type " << t;
        const int atom = static_cast<int>(atomOf[s]) - 1;
        for (int kind : kinds) {
            const int l = powers[kind][0] + powers[kind][1] + powers[kind][2];
            for (int p = 0; p < static_cast<int>(primitives[s]); ++p) {
                test::DirectGaussian g{};
                for (int k = 0; k < 3; ++k)
                    g.centre[k] = xyz[3 * atom + k];
                g.exponent = exponents[prim + p];
                const double d =
                    (t == -1 && kind > 0) ? pCoefficients[prim + p] : coefficients[prim + p];
                g.coefficient = c[mu] * d * test::axialNorm(g.exponent, l);
                g.lx = powers[kind][0];
                g.ly = powers[kind][1];
                g.lz = powers[kind][2];
                out.push_back(g);
            }
            ++mu;
        }
        prim += static_cast<std::size_t>(primitives[s]);
    }
    return out;
}

class OrbitalCorpus : public test::ProcessStateTest {
  protected:
    void SetUp() override {
        if (!test::corpusAvailable())
            GTEST_SKIP() << "corpus absent";
        ProcessStateTest::SetUp();
    }
};

// The built-in tables rebuild the orbital the file's own basis describes:
// the HOMOs, and orbitals with hydrogen s and oxygen d contributions.
TEST_F(OrbitalCorpus, GridMatchesTheFilesOwnBasis) {
    struct Case {
        const char* name;
        int orbital; // 0-based
    };
    for (const Case c : {Case{"g09/water_mp2.fchk", 4}, Case{"g09/water_mp2.fchk", 2},
                         Case{"g09/water-pes.fchk", 4}, Case{"g09/water-pes.fchk", 2},
                         Case{"g09/water-pes.fchk", 3}, Case{"g03/dvb_gopt_qchem.fchk", 34}}) {
        SCOPED_TRACE(std::string(c.name) + " orbital " + std::to_string(c.orbital + 1));
        const std::string path = corpusFile(c.name);
        auto mo = std::make_unique<MolecularOrbital>();
        ASSERT_TRUE(computeCheckpointOrbital(path, c.orbital, *mo));
        const auto gs = fileOrbital(path, c.orbital);
        double largest = 0.0, worst = 0.0;
        for (int k = 1; k < kGridSize; k += 4)
            for (int j = 0; j < kGridSize; j += 3)
                for (int i = 2; i < kGridSize; i += 5) {
                    const double want =
                        test::directValue(gs, mo->gridOrigin[0] + i * double(mo->gridStep[0]),
                                          mo->gridOrigin[1] + j * double(mo->gridStep[1]),
                                          mo->gridOrigin[2] + k * double(mo->gridStep[2]));
                    largest = std::max(largest, std::abs(want));
                    worst = std::max(worst, std::abs(want - mo->at(i, j, k)));
                }
        EXPECT_GT(largest, 0.05);
        EXPECT_LT(worst, 1e-3 * largest) << "largest " << largest;
    }
}

TEST_F(OrbitalCorpus, DumpMatchesExpectedValues) {
    for (const char* name : {"g09/water_mp2.fchk", "g09/water-pes.fchk", "g03/dvb_gopt_qchem.fchk",
                             "g16/CO_TD_delta.fchk", "g09/C_bigbasis.fchk"}) {
        SCOPED_TRACE(name);
        const auto r = test::runCli({"dump", corpusFile(name)});
        ASSERT_EQ(r.status, 0) << r.err;
        const json got = json::parse(r.out);
        const json want = json::parse(test::readFileBytes(
            (test::corpusDir() / "expected" / (std::string(name) + ".json")).string()));
        for (const auto& [key, value] : want.items()) {
            ASSERT_TRUE(got.contains(key)) << key;
            if (!value.is_array()) {
                EXPECT_EQ(got[key], value) << key;
                continue;
            }
            const json flatWant = value.flatten(), flatGot = got[key].flatten();
            ASSERT_EQ(flatGot.size(), flatWant.size()) << key;
            for (const auto& [pointer, v] : flatWant.items())
                EXPECT_NEAR(flatGot[pointer].get<double>(), v.get<double>(), 1e-6)
                    << key << pointer;
        }
    }
}

} // namespace
} // namespace kalviro
