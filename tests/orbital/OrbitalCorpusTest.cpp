#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "JsonCompare.h"
#include "OrbitalTestSupport.h"
#include "orbital/CheckpointReader.h"
#include "orbital/MolecularOrbital.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::corpusFile;

class OrbitalCorpus : public test::DocumentTest {};

// The built-in tables rebuild the orbital the file's own basis describes:
// the HOMOs, and orbitals with hydrogen s and oxygen d contributions; in the
// bundled examples (psi4, formaldehyde, the only carbon in 6-31G*) the HOMO,
// the C-H bonding orbital and the lowest virtual one. The examples need no
// corpus.
TEST(OrbitalGridFromFile, GridMatchesTheFilesOwnBasis) {
    struct Case {
        std::string path;
        int orbital; // 0-based
    };
    std::vector<Case> cases;
    for (const char* example : {"formaldehyde_sto3g.FChk", "formaldehyde_631gs.FChk"})
        for (int orbital : {7, 5, 8})
            cases.push_back({test::examplePath(example), orbital});
    if (test::corpusAvailable())
        for (const auto& [name, orbital] :
             {std::pair{"g09/water_mp2.fchk", 4}, {"g09/water_mp2.fchk", 2}, {"g09/water-pes.fchk", 4},
              {"g09/water-pes.fchk", 2}, {"g09/water-pes.fchk", 3}, {"g03/dvb_gopt_qchem.fchk", 34}})
            cases.push_back({corpusFile(name), orbital});
    Document doc; // one for all: an earlier file's orbitals must not leak into the next
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " orbital " + std::to_string(c.orbital + 1));
        auto mo = std::make_unique<MolecularOrbital>();
        ASSERT_TRUE(computeFileOrbital(c.path, Spin::Alpha, c.orbital, *mo, doc.checkpoint, doc.contours));
        const auto [largest, worst] = test::compareGrid(*mo, test::fileOrbital(c.path, c.orbital));
        EXPECT_GT(largest, 0.05);
        EXPECT_LT(worst, 1e-6 * largest) << "largest " << largest;
    }
}

// Bases without a built-in table are evaluated from the file and traced.
TEST_F(OrbitalCorpus, OwnBasisWithoutTableGivesContours) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    for (const char* name : {"g09/C_bigbasis.fchk", "g16/CO_TD_delta.fchk"}) {
        SCOPED_TRACE(name);
        auto mo = std::make_unique<MolecularOrbital>();
        ASSERT_TRUE(computeFileOrbital(corpusFile(name), Spin::Alpha, -1, *mo, doc.checkpoint,
                                       doc.contours));
        EXPECT_GT(doc.contours.loopCount(), 0u);
        EXPECT_TRUE(platform_.messages.empty());
    }
}

// The dump command's listing of a checkpoint file against the expected files.
TEST_F(OrbitalCorpus, DumpMatchesExpectedValues) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    for (const char* name : {"g09/water_mp2.fchk", "g09/water-pes.fchk", "g03/dvb_gopt_qchem.fchk",
                             "g16/CO_TD_delta.fchk", "g09/C_bigbasis.fchk"}) {
        SCOPED_TRACE(name);
        const auto r = test::runCli({"dump", corpusFile(name)});
        ASSERT_EQ(r.status, 0) << r.err;
        const auto want = nlohmann::json::parse(test::readFileBytes(
            (test::corpusDir() / "expected" / (std::string(name) + ".json")).string()));
        EXPECT_TRUE(test::jsonNear(want, nlohmann::json::parse(r.out), 1e-6));
    }
}

} // namespace
} // namespace kalviro
