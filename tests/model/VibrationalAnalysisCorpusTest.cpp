#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/FrameAlignment.h"
#include "model/Isotopes.h"
#include "model/ModeDipoles.h"
#include "model/NumberText.h"
#include "model/VibrationalAnalysis.h"
#include "model/readers/CheckpointSections.h"
#include "model/readers/GaussianOutputReader.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::corpusFile;

// 180 degrees about x: the checkpoint's frame against the output's standard
// orientation (atom 1 at (0.269, -1.410, 0) there, (0.269, 1.410, 0) here).
Vector3 turnAboutX(const Vector3& v) {
    return {v.x, -v.y, -v.z};
}

// Divinylbenzene: one job's checkpoint file and output.
class DivinylbenzeneCorpusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        KALVIRO_SKIP_WITHOUT_CORPUS();
        auto sections = readCheckpointSections(corpusFile("g09/dvb_ir.fchk"));
        ASSERT_TRUE(sections) << sections.error();
        sections_ = *sections;
        auto in = hessianInputFromCheckpoint(sections_);
        ASSERT_TRUE(in) << in.error();
        input_ = *in;
        auto analysis = analyseHessian(input_);
        ASSERT_TRUE(analysis) << analysis.error();
        analysis_ = *analysis;
        auto out = parseOutputFile(corpusFile("g09/dvb_ir.out"));
        ASSERT_TRUE(out);
        output_ = *out;
        ASSERT_EQ(output_.modes.size(), 54u);
        ASSERT_EQ(analysis_.modes.size(), 54u);
    }
    double printed(const std::vector<std::string>& texts, std::size_t k) const {
        return parseNumber(texts[k]);
    }
    // Overlap of the Hessian's mode j, turned by hand, with the output's mode k.
    double overlap(std::size_t j, std::size_t k) const {
        double sum = 0.0;
        for (std::size_t a = 0; a < 20; ++a)
            sum += turnAboutX(analysis_.modes[j].displacements[a]).dot(output_.modes[k][a]);
        return sum;
    }
    // The Hessian's mode for output mode k: the best overlap within 1 cm-1
    // (3549.69 and 3549.70 may come in either order).
    std::size_t counterpart(std::size_t k) const {
        std::size_t best = k;
        for (std::size_t j = 0; j < 54; ++j)
            if (std::abs(analysis_.modes[j].frequency - printed(output_.frequencies, k)) < 1.0 &&
                std::abs(overlap(j, k)) > std::abs(overlap(best, k)))
                best = j;
        return best;
    }
    CheckpointSections sections_;
    HessianInput input_;
    VibrationalAnalysis analysis_;
    FrequencyJob output_;
};

TEST_F(DivinylbenzeneCorpusTest, FrequenciesAndIntensitiesMatchTheOutput) {
    EXPECT_FALSE(analysis_.linear);
    int strong = 0;
    for (std::size_t k = 0; k < 54; ++k) {
        const NormalMode& m = analysis_.modes[k];
        EXPECT_NEAR(m.frequency, printed(output_.frequencies, k), 0.5) << "mode " << k + 1;
        const double intensity = printed(output_.intensities, k);
        EXPECT_NEAR(m.dipoleDerivative.dot(m.dipoleDerivative), m.intensity,
                    1e-9 * (1 + m.intensity));
        if (intensity > 1.0) {
            ++strong;
            EXPECT_NEAR(m.intensity, intensity, 0.01 * intensity) << "mode " << k + 1;
        }
    }
    EXPECT_EQ(strong, 16);
    // Reduced masses as printed for the first modes.
    EXPECT_NEAR(analysis_.modes[0].reducedMass, 3.2050, 1e-3);
    EXPECT_NEAR(analysis_.modes[3].reducedMass, 3.3792, 1e-3);
}

TEST_F(DivinylbenzeneCorpusTest, DisplacementsMatchOnceTheFramesAreAligned) {
    std::vector<Vector3> from, to;
    std::vector<int> fromZ, toZ;
    for (std::size_t a = 0; a < 20; ++a) {
        from.push_back({input_.coordinates[3 * a] * kBohrInAngstrom,
                        input_.coordinates[3 * a + 1] * kBohrInAngstrom,
                        input_.coordinates[3 * a + 2] * kBohrInAngstrom});
        fromZ.push_back(input_.atomicNumbers[a]);
        toZ.push_back(output_.atoms[a].atomicNumber);
        to.push_back(output_.atoms[a].position());
    }
    auto aligned = alignSameMolecule(fromZ, from, toZ, to);
    ASSERT_TRUE(aligned) << aligned.error();
    EXPECT_LT(aligned->rmsDeviation, 1e-5);
    const double expected[3][3] = {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(aligned->rotation[i][j], expected[i][j], 1e-6);

    for (std::size_t k = 0; k < 54; ++k) {
        const std::size_t j = counterpart(k);
        const auto& ours = analysis_.modes[j].displacements;
        const auto& theirs = output_.modes[k];
        const double sign = overlap(j, k) < 0 ? -1.0 : 1.0;
        double worst = 0.0;
        for (std::size_t a = 0; a < 20; ++a) {
            const Vector3 v = turnAboutX(ours[a]);
            worst =
                std::max({worst, std::abs(sign * v.x - theirs[a].x),
                          std::abs(sign * v.y - theirs[a].y), std::abs(sign * v.z - theirs[a].z)});
        }
        EXPECT_LE(worst, 0.01) << "mode " << k + 1;
    }
}

TEST_F(DivinylbenzeneCorpusTest, DipoleVectorsForTheOutputsModes) {
    auto dipoles = dipolesFromCheckpoint(output_, sections_);
    ASSERT_TRUE(dipoles) << dipoles.error();
    ASSERT_EQ(dipoles->vectors.size(), 54u);
    double projection = 0.0; // about x at 0 degrees: the y components squared
    for (std::size_t k = 0; k < 54; ++k) {
        // Also for 3439.02 (BU) beside 3439.06 (AG).
        const std::size_t j = counterpart(k);
        EXPECT_EQ(dipoles->matchedMode[k], static_cast<int>(j));
        EXPECT_GT(dipoles->overlap[k], 0.98) << "mode " << k + 1;
        const Vector3& v = dipoles->vectors[k];
        const double intensity = printed(output_.intensities, k);
        EXPECT_NEAR(v.dot(v), intensity, 1e-9 + 1e-9 * intensity) << "mode " << k + 1;
        if (intensity > 1.0) {
            // The Hessian mode's vector turned by hand, its sign the one of the
            // printed displacements.
            const Vector3 mu = turnAboutX(analysis_.modes[j].dipoleDerivative);
            const double cosine = mu.dot(v) / std::sqrt(mu.dot(mu) * v.dot(v));
            EXPECT_NEAR(overlap(j, k) < 0 ? -cosine : cosine, 1.0, 1e-4) << "mode " << k + 1;
        }
        projection += v.y * v.y;
    }
    EXPECT_GT(projection, 50.0);
    // The planar molecule's out-of-plane (AU) mode 1 has no y component.
    EXPECT_NEAR(dipoles->vectors[0].y, 0.0, 1e-6);
}

TEST_F(DivinylbenzeneCorpusTest, FallbackFromTheOutputsDisplacements) {
    HessianInput noHessian = input_;
    noHessian.hessian.clear();
    auto dipoles = dipolesFromOutputDisplacements(output_, noHessian);
    ASSERT_TRUE(dipoles) << dipoles.error();
    auto matched = dipolesForOutputModes(output_, input_, analysis_);
    ASSERT_TRUE(matched);
    for (std::size_t k = 0; k < 54; ++k) {
        const Vector3& v = dipoles->vectors[k];
        const double intensity = printed(output_.intensities, k);
        EXPECT_NEAR(v.dot(v), intensity, 1e-9 + 1e-9 * intensity);
        // Two decimals leave strong modes' directions close.
        if (intensity > 10.0) {
            const Vector3& w = matched->vectors[k];
            EXPECT_GT(v.dot(w) / intensity, 0.95) << "mode " << k + 1;
        }
    }
}

TEST_F(DivinylbenzeneCorpusTest, AnotherMoleculesCheckpointIsRefused) {
    auto water = readCheckpointSections(corpusFile("g09/water_mp2.fchk"));
    ASSERT_TRUE(water);
    HessianInput other;
    for (double z : water->values("Atomic numbers"))
        other.atomicNumbers.push_back(static_cast<int>(z));
    other.coordinates = water->values("Current cartesian coordinates");
    other.polarTensor.assign(9 * other.atomicNumbers.size(), 0.1);
    auto refused = dipolesFromOutputDisplacements(output_, other);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("別の分子"), std::string::npos);
}

// Teller-Redlich: the product of the frequency ratios over all modes is
// prod (m / m')^(3/2) (M' / M)^(3/2) (I'a I'b I'c / Ia Ib Ic)^(1/2). The
// molecule lies in z = 0: Izz = Ixx + Iyy and the tensor's determinant is
// Izz (Ixx Iyy - Ixy^2).
double inertiaProduct(const std::vector<double>& xyz, const std::vector<double>& m) {
    double total = 0, cx = 0, cy = 0, xx = 0, yy = 0, xy = 0;
    for (std::size_t a = 0; a < m.size(); ++a) {
        total += m[a];
        cx += m[a] * xyz[3 * a];
        cy += m[a] * xyz[3 * a + 1];
    }
    for (std::size_t a = 0; a < m.size(); ++a) {
        const double x = xyz[3 * a] - cx / total, y = xyz[3 * a + 1] - cy / total;
        xx += m[a] * y * y;
        yy += m[a] * x * x;
        xy += m[a] * x * y;
    }
    return (xx + yy) * (xx * yy - xy * xy);
}

TEST_F(DivinylbenzeneCorpusTest, DeuteratedFollowsTheProductRule) {
    std::string changes;
    for (std::size_t a = 0; a < 20; ++a)
        if (input_.atomicNumbers[a] == 1)
            changes += (changes.empty() ? "" : ",") + std::to_string(a + 1) + "=D";
    auto deuterated = analyseWithIsotopes(input_, changes);
    ASSERT_TRUE(deuterated) << deuterated.error();
    const std::vector<double>& heavy = deuterated->masses;
    EXPECT_NEAR(heavy[5], 2.014102, 1e-6);
    double lhs = 1.0, massTerm = 1.0, total = 0.0, heavyTotal = 0.0;
    for (std::size_t k = 0; k < 54; ++k)
        lhs *= deuterated->modes[k].frequency / analysis_.modes[k].frequency;
    for (std::size_t a = 0; a < 20; ++a) {
        massTerm *= std::pow(input_.masses[a] / heavy[a], 1.5);
        total += input_.masses[a];
        heavyTotal += heavy[a];
    }
    const double rhs = massTerm * std::pow(heavyTotal / total, 1.5) *
                       std::sqrt(inertiaProduct(input_.coordinates, heavy) /
                                 inertiaProduct(input_.coordinates, input_.masses));
    EXPECT_NEAR(lhs / rhs, 1.0, 1e-3);
    // C-H stretches near 3400 become C-D stretches near 2500.
    EXPECT_LT(deuterated->modes.back().frequency, 2700.0);
    EXPECT_GT(deuterated->modes.back().frequency, 2400.0);
}

} // namespace
} // namespace kalviro
