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

class OrbitalCorpus : public test::DocumentTest {
  protected:
    void SetUp() override {
        if (!test::corpusAvailable())
            GTEST_SKIP() << "corpus absent";
        DocumentTest::SetUp();
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
        ASSERT_TRUE(computeFileOrbital(path, Spin::Alpha, c.orbital, *mo, doc.checkpoint, doc.contours));
        const auto gs = test::fileOrbital(path, c.orbital);
        const auto [largest, worst] = test::compareGrid(*mo, gs);
        EXPECT_GT(largest, 0.05);
        EXPECT_LT(worst, 1e-3 * largest) << "largest " << largest;
    }
}

// Bases without a built-in table are evaluated from the file and traced.
TEST_F(OrbitalCorpus, OwnBasisWithoutTableGivesContours) {
    for (const char* name : {"g09/C_bigbasis.fchk", "g16/CO_TD_delta.fchk"}) {
        SCOPED_TRACE(name);
        auto mo = std::make_unique<MolecularOrbital>();
        ASSERT_TRUE(computeFileOrbital(corpusFile(name), Spin::Alpha, -1, *mo, doc.checkpoint,
                                       doc.contours));
        EXPECT_GT(doc.contours.loopCount(), 0u);
        EXPECT_TRUE(platform_.messages.empty());
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
