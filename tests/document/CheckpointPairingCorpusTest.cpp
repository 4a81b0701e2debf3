// The divinylbenzene pair of the corpus: an output without dipole-derivative
// lines and the checkpoint file of the same job, whose molecule is the
// output's turned 180 degrees about x.

#include <gtest/gtest.h>

#include <cmath>

#include "document/CheckpointPairing.h"
#include "document/FileOpening.h"
#include "ir/ProjectionCalculator.h"
#include "model/ModeDipoles.h"
#include "model/readers/CheckpointSections.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

class PairingRealFiles : public test::DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        KALVIRO_SKIP_WITHOUT_CORPUS();
        ASSERT_TRUE(openMoleculeFile(doc, output_).read);
    }
    std::string output_ = (test::corpusDir() / "files/g09/dvb_ir.out").string();
    std::string fchk_ = (test::corpusDir() / "files/g09/dvb_ir.fchk").string();
};

// The vectors are the model's for the output's modes (checked against the
// output's intensities and the Hessian's modes in VibrationalAnalysisCorpusTest).
TEST_F(PairingRealFiles, VectorsReproduceTheIntensitiesInTheOutputsFrame) {
    FrequencyJob job{"", doc.molecule.atoms, doc.vibrations.frequencies, doc.vibrations.intensities,
                     {}, {}, 1.0, doc.vibrations.modes, {}, {}};
    const auto status = addCheckpointVectors(doc, fchk_);
    ASSERT_TRUE(status);
    EXPECT_NE(status->find("dvb_ir.fchk"), std::string::npos);
    EXPECT_EQ(doc.vibrations.sources.dipoleDerivatives, "checkpoint Hessian");
    const auto matched = dipolesFromCheckpoint(job, *readCheckpointSections(fchk_));
    ASSERT_TRUE(matched);
    const VibrationStore& v = doc.vibrations;
    EXPECT_EQ(v.dipoleDerivatives, matched->vectors);
    EXPECT_EQ(v.savedDipoleDerivatives, matched->vectors);
    EXPECT_TRUE(doc.view.dipolesLoaded);
    for (std::size_t k = 0; k < job.modes.size(); ++k)
        EXPECT_NEAR(v.dipoleDerivatives[k].dot(v.dipoleDerivatives[k]),
                    std::stod(job.intensities[k]), 1e-6 * (1 + std::stod(job.intensities[k])))
            << "mode " << k + 1;

    // The projection about x at 0 degrees is (v_y)^2 broadened, mode by mode.
    XAxisProjection().compute(2, doc.vibrations);
    EXPECT_GT(v.intensityMaximum, 0.0f);
    for (int j = 0; j < kSpectrumPoints; j += 7) {
        double expected = 0;
        for (std::size_t k = 0; k < v.frequencies.size(); ++k) {
            const double dnu = 600 + j - std::stod(v.frequencies[k]);
            expected += v.dipoleDerivatives[k].y * v.dipoleDerivatives[k].y / (dnu * dnu + 1);
        }
        EXPECT_NEAR(v.spectra[0][j], expected, 1e-4 * expected + 1e-6) << 600 + j;
    }
}

TEST_F(PairingRealFiles, AnotherMoleculesCheckpointChangesNothing) {
    EXPECT_FALSE(addCheckpointVectors(doc, (test::corpusDir() / "files/g09/water_mp2.fchk").string()));
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_NE(platform_.messages[0].find("water_mp2.fchk"), std::string::npos);
    EXPECT_TRUE(doc.vibrations.dipoleDerivatives.empty() && !doc.view.dipolesLoaded);
}

} // namespace
} // namespace kalviro
