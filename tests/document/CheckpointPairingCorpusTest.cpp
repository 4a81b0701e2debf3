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

// The Hessian's matched mode times the polar tensor, in the test's own
// arithmetic: sum_i APT_i^T e_i / sqrt(m_i), 974.88 km/mol per atomic unit.
TEST_F(PairingRealFiles, TheHessiansModesReproduceThePrintedIntensities) {
    auto file = readCheckpointSections(fchk_);
    ASSERT_TRUE(file);
    auto in = hessianInputFromCheckpoint(*file);
    ASSERT_TRUE(in);
    auto analysis = analyseHessian(*in);
    ASSERT_TRUE(analysis);
    FrequencyJob job;
    for (const Atom& a : doc.molecule.atoms)
        job.atoms.push_back(a);
    job.frequencies = doc.vibrations.frequencies;
    job.intensities = doc.vibrations.intensities;
    job.modes = doc.vibrations.modes;
    auto dipoles = dipolesForOutputModes(job, *in, *analysis);
    ASSERT_TRUE(dipoles);
    const std::vector<double>& apt = file->values("Dipole Derivatives");
    const std::vector<double>& masses = file->values("Real atomic weights");
    int strong = 0;
    for (std::size_t k = 0; k < job.modes.size(); ++k) {
        const double printed = std::stod(job.intensities[k]);
        if (printed <= 1.0)
            continue;
        ++strong;
        ASSERT_GE(dipoles->matchedMode[k], 0) << k;
        const auto& e = analysis->modes[dipoles->matchedMode[k]].massWeighted;
        double mu[3] = {0, 0, 0};
        for (std::size_t c = 0; c < e.size(); ++c)
            for (int d = 0; d < 3; ++d)
                mu[d] += apt[3 * c + d] * e[c] / std::sqrt(masses[c / 3]);
        const double intensity = 974.88 * (mu[0] * mu[0] + mu[1] * mu[1] + mu[2] * mu[2]);
        EXPECT_NEAR(intensity, printed, 0.01 * printed) << "mode " << k + 1;
    }
    EXPECT_GT(strong, 10);
}

TEST_F(PairingRealFiles, PairingAddsVectorsInTheOutputsFrame) {
    ASSERT_TRUE(wantsCheckpointVectors(doc));
    EXPECT_EQ(checkpointBeside(output_), fchk_);
    const auto status = addCheckpointVectors(doc, fchk_);
    ASSERT_TRUE(status);
    EXPECT_NE(status->find("dvb_ir.fchk"), std::string::npos);
    EXPECT_EQ(doc.vibrations.sources.dipoleDerivatives, "checkpoint Hessian");
    EXPECT_EQ(doc.vibrations.sources.modes, "output");
    EXPECT_TRUE(doc.view.dipolesLoaded);

    // The checkpoint's own analysis, turned by hand (x, -y, -z), scaled to
    // the printed intensity, is what the document holds.
    auto in = hessianInputFromCheckpoint(*readCheckpointSections(fchk_));
    auto analysis = analyseHessian(*in);
    const VibrationStore& v = doc.vibrations;
    ASSERT_EQ(v.dipoleDerivatives.size(), v.frequencies.size());
    ASSERT_EQ(v.savedDipoleDerivatives, v.dipoleDerivatives);
    for (std::size_t k = 0; k < v.frequencies.size(); ++k) {
        const double printed = std::stod(v.intensities[k]);
        const Vector3& d = v.dipoleDerivatives[k];
        EXPECT_NEAR(d.x * d.x + d.y * d.y + d.z * d.z, printed, 1e-4 * printed + 1e-9) << k;
        if (printed <= 1.0)
            continue;
        // The Hessian mode at this frequency (dvb's close pairs differ in
        // symmetry; the strongest overlap in length is enough here).
        const NormalMode* best = nullptr;
        for (const NormalMode& m : analysis->modes)
            if (std::abs(m.intensity - printed) < 0.01 * printed &&
                std::abs(m.frequency - std::stod(v.frequencies[k])) < 1.0)
                best = &m;
        ASSERT_NE(best, nullptr) << k;
        const Vector3 mu = best->dipoleDerivative;
        const double s = std::sqrt(printed / best->intensity);
        const double sign = (mu.x * d.x - mu.y * d.y - mu.z * d.z) < 0 ? -1.0 : 1.0;
        EXPECT_NEAR(d.x, sign * s * mu.x, 0.02 * std::sqrt(printed)) << k;
        EXPECT_NEAR(d.y, -sign * s * mu.y, 0.02 * std::sqrt(printed)) << k;
        EXPECT_NEAR(d.z, -sign * s * mu.z, 0.02 * std::sqrt(printed)) << k;
    }

    // The projection about x at 0 degrees is (v_y)^2 broadened, mode by mode.
    doc.vibrations.spectrumCount = kSpectrumBlocks;
    XAxisProjection().compute(2, doc.vibrations);
    EXPECT_GT(doc.vibrations.intensityMaximum, 0.0f);
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
    const std::string water = (test::corpusDir() / "files/g09/water_mp2.fchk").string();
    EXPECT_FALSE(addCheckpointVectors(doc, water));
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_NE(platform_.messages[0].find("water_mp2.fchk"), std::string::npos);
    EXPECT_TRUE(doc.vibrations.dipoleDerivatives.empty());
    EXPECT_FALSE(doc.view.dipolesLoaded);
    EXPECT_EQ(doc.vibrations.sources.dipoleDerivatives, "none");
}

} // namespace
} // namespace kalviro
