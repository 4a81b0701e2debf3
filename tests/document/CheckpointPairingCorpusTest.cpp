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
        if (!test::corpusAvailable())
            GTEST_SKIP() << "no corpus";
        ASSERT_TRUE(openMoleculeFile(doc, output_).read);
    }
    std::string output_ = (test::corpusDir() / "files/g09/dvb_ir.out").string();
    std::string fchk_ = (test::corpusDir() / "files/g09/dvb_ir.fchk").string();
};

TEST_F(PairingRealFiles, VectorsReproduceTheIntensitiesInTheOutputsFrame) {
    FrequencyJob job{"", doc.molecule.atoms, doc.vibrations.frequencies, doc.vibrations.intensities,
                     {}, {}, 1.0, doc.vibrations.modes, {}, {}};
    const auto status = addCheckpointVectors(doc, fchk_);
    ASSERT_TRUE(status);
    EXPECT_NE(status->find("dvb_ir.fchk"), std::string::npos);
    EXPECT_EQ(doc.vibrations.sources.dipoleDerivatives, "checkpoint Hessian");

    const auto file = readCheckpointSections(fchk_);
    const auto in = hessianInputFromCheckpoint(*file);
    const auto analysis = analyseHessian(*in);
    const auto matched = dipolesForOutputModes(job, *in, *analysis);
    ASSERT_TRUE(matched);
    const std::vector<double>& apt = file->values("Dipole Derivatives");
    const std::vector<double>& masses = file->values("Real atomic weights");
    const VibrationStore& v = doc.vibrations;
    for (std::size_t k = 0; k < job.modes.size(); ++k) {
        const double printed = std::stod(job.intensities[k]);
        if (printed <= 1.0)
            continue;
        ASSERT_GE(matched->matchedMode[k], 0) << k;
        // Unscaled, in the test's own arithmetic: sum_i APT_i^T e_i /
        // sqrt(m_i), 974.88 km/mol per atomic unit.
        const auto& e = analysis->modes[matched->matchedMode[k]].massWeighted;
        double mu[3] = {0, 0, 0};
        for (std::size_t c = 0; c < e.size(); ++c)
            for (int d = 0; d < 3; ++d)
                mu[d] += apt[3 * c + d] * e[c] / std::sqrt(masses[c / 3]);
        const double squared = mu[0] * mu[0] + mu[1] * mu[1] + mu[2] * mu[2];
        EXPECT_NEAR(974.88 * squared, printed, 0.01 * printed) << "mode " << k + 1;
        // Stored: turned by hand into the output's frame (x, -y, -z), scaled
        // to the printed intensity, sign free.
        const Vector3& s = v.dipoleDerivatives[k];
        const double f = std::sqrt(printed / squared);
        const Vector3 t{f * mu[0], -f * mu[1], -f * mu[2]};
        const double sign = s.x * t.x + s.y * t.y + s.z * t.z < 0 ? -1 : 1;
        EXPECT_LT(std::hypot(s.x - sign * t.x, s.y - sign * t.y, s.z - sign * t.z),
                  0.02 * std::sqrt(printed))
            << "mode " << k + 1;
    }

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
