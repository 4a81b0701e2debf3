#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "document/CheckpointPairing.h"
#include "document/FileOpening.h"
#include "model/readers/GaussianOutputReader.h"
#include "platform/Messages.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

TEST(CheckpointBeside, SameNameAnyCaseOfFchkOrFch) {
    test::TempDir dir;
    for (const char* name : {"job.log", "job.chk", "job2.fchk", "Job.fch"})
        test::writeFileBytes(dir.path(name), "");
    EXPECT_FALSE(checkpointBeside(dir.path("job.log")));
    test::writeFileBytes(dir.path("job.FChk"), "");
    EXPECT_EQ(checkpointBeside(dir.path("job.log")), dir.path("job.FChk"));
}

std::string section(std::string name, char type, const std::vector<double>& values) {
    name.resize(43, ' ');
    std::ostringstream s;
    s.precision(17);
    s << name << type << "   N=" << values.size() << "\n";
    for (double v : values)
        s << " " << v;
    return s.str() + "\n";
}

// A checkpoint file without a Hessian: the vectors come from the output's
// five-decimal table. Its polar tensor answers strongly to x displacements,
// which the ordinary table rounds to zero in the first mode.
class PairingWithoutHessian : public test::DocumentTest {};

TEST_F(PairingWithoutHessian, VectorsComeFromTheHighPrecisionTable) {
    const std::string output = test::dataPath("gaussian-output/g09_hpmodes.log");
    ASSERT_TRUE(openMoleculeFile(doc, output).read);
    const FrequencyJob job = *parseOutputFile(output);
    std::vector<double> xyz, apt;
    for (const Atom& a : job.atoms)
        for (double c : {a.x, a.y, a.z})
            xyz.push_back(c / 0.529177210903);
    for (int j = 0; j < 27; ++j)
        apt.push_back(std::sin(1.0 + j) + (j % 9 < 3 ? 40.0 : 0.0));
    test::writeFileBytes(scratch_.path("w.fchk"), "w\nFreq\n" + section("Atomic numbers", 'I', {8, 1, 1}) +
                                                 section("Current cartesian coordinates", 'R', xyz) +
                                                 section("Dipole Derivatives", 'R', apt));
    EXPECT_EQ(addCheckpointVectors(doc, scratch_.path("w.fchk")),
              msg::kPairedFromPreciseModes + std::string("w.fchk"));
    EXPECT_EQ(doc.vibrations.sources.dipoleDerivatives, "checkpoint APT");

    // dmu/dQ = sum_i APT_i^T d_i, as a direction: |v|^2 is the printed intensity.
    const auto direction = [&](const std::vector<Vector3>& d) {
        Vector3 mu;
        for (std::size_t i = 0; i < 3 * d.size(); ++i) {
            const Vector3& di = d[i / 3];
            mu = mu + Vector3{apt[3 * i], apt[3 * i + 1], apt[3 * i + 2]} *
                          (i % 3 == 0 ? di.x : i % 3 == 1 ? di.y : di.z);
        }
        return mu * (1.0 / mu.length());
    };
    ASSERT_EQ(doc.vibrations.dipoleDerivatives.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        const Vector3& v = doc.vibrations.dipoleDerivatives[k];
        EXPECT_NEAR(v.dot(v), std::stod(job.intensities[k]), 1e-9) << k;
        EXPECT_NEAR(v.dot(direction(job.preciseModes[k])) / v.length(), 1.0, 1e-10) << k;
    }
    EXPECT_LT(direction(job.modes[0]).dot(direction(job.preciseModes[0])), 0.99);
}

} // namespace
} // namespace kalviro
