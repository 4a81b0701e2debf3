#include <gtest/gtest.h>

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

std::string corpusFile(const std::string& rel) {
    return (test::corpusDir() / "files" / rel).string();
}

double dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// 180 degrees about x: the checkpoint's frame against the output's standard
// orientation (atom 1 at (0.269, -1.410, 0) there, (0.269, 1.410, 0) here).
Vector3 turnAboutX(const Vector3& v) { return {v.x, -v.y, -v.z}; }

// Divinylbenzene: one job's checkpoint file and output.
class DivinylbenzeneCorpusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::corpusAvailable())
            GTEST_SKIP() << "corpus absent";
        auto sections = readCheckpointSections(corpusFile("g09/dvb_ir.fchk"));
        ASSERT_TRUE(sections) << sections.error();
        auto in = hessianInputFromCheckpoint(*sections);
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
            sum += dot(turnAboutX(analysis_.modes[j].displacements[a]), output_.modes[k][a]);
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
        EXPECT_NEAR(dot(m.dipoleDerivative, m.dipoleDerivative), m.intensity,
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
        for (std::size_t a = 0; a < 20; ++a) {
            const Vector3 v = turnAboutX(ours[a]);
            EXPECT_NEAR(sign * v.x, theirs[a].x, 0.01) << "mode " << k + 1 << " atom " << a + 1;
            EXPECT_NEAR(sign * v.y, theirs[a].y, 0.01) << "mode " << k + 1 << " atom " << a + 1;
            EXPECT_NEAR(sign * v.z, theirs[a].z, 0.01) << "mode " << k + 1 << " atom " << a + 1;
        }
    }
}

TEST_F(DivinylbenzeneCorpusTest, DipoleVectorsForTheOutputsModes) {
    auto dipoles = dipolesForOutputModes(output_, input_, analysis_);
    ASSERT_TRUE(dipoles) << dipoles.error();
    ASSERT_EQ(dipoles->vectors.size(), 54u);
    std::vector<double> projection; // about x at 0 degrees: the y component squared
    for (std::size_t k = 0; k < 54; ++k) {
        // Also for 3439.02 (BU) beside 3439.06 (AG).
        const std::size_t j = counterpart(k);
        EXPECT_EQ(dipoles->matchedMode[k], static_cast<int>(j));
        EXPECT_GT(dipoles->overlap[k], 0.98) << "mode " << k + 1;
        const Vector3& v = dipoles->vectors[k];
        const double intensity = printed(output_.intensities, k);
        EXPECT_NEAR(dot(v, v), intensity, 1e-9 + 1e-9 * intensity) << "mode " << k + 1;
        if (intensity > 1.0) {
            // The Hessian mode's vector turned by hand, its sign the one of the
            // printed displacements.
            const Vector3 mu = turnAboutX(analysis_.modes[j].dipoleDerivative);
            const double cosine = dot(mu, v) / std::sqrt(dot(mu, mu) * dot(v, v));
            EXPECT_NEAR(overlap(j, k) < 0 ? -cosine : cosine, 1.0, 1e-4) << "mode " << k + 1;
        }
        projection.push_back(v.y * v.y);
    }
    double total = 0.0;
    for (double p : projection)
        total += p;
    EXPECT_GT(total, 50.0);
    // The planar molecule's out-of-plane (AU) mode 1 has no y component.
    EXPECT_NEAR(projection[0], 0.0, 1e-12);
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
        EXPECT_NEAR(dot(v, v), intensity, 1e-9 + 1e-9 * intensity);
        // Two decimals leave strong modes' directions close.
        if (intensity > 10.0) {
            const Vector3& w = matched->vectors[k];
            EXPECT_GT(dot(v, w) / intensity, 0.95) << "mode " << k + 1;
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
    // Same atoms, one hydrogen moved by 0.01 angstrom.
    HessianInput moved = input_;
    moved.coordinates[3 * 5] += 0.01 / kBohrInAngstrom;
    auto distorted = dipolesForOutputModes(output_, moved, analysis_);
    ASSERT_FALSE(distorted);
    EXPECT_FALSE(distorted.error().empty());
}

// Teller-Redlich: the product of the frequency ratios over all modes is
// prod (m / m')^(3/2) (M' / M)^(3/2) (I'a I'b I'c / Ia Ib Ic)^(1/2).
double inertiaProduct(const std::vector<double>& xyz, const std::vector<double>& m) {
    double total = 0, c[3] = {0, 0, 0};
    for (std::size_t a = 0; a < m.size(); ++a) {
        total += m[a];
        for (int i = 0; i < 3; ++i)
            c[i] += m[a] * xyz[3 * a + i];
    }
    double t[3][3] = {};
    for (std::size_t a = 0; a < m.size(); ++a) {
        double r[3];
        for (int i = 0; i < 3; ++i)
            r[i] = xyz[3 * a + i] - c[i] / total;
        const double r2 = r[0] * r[0] + r[1] * r[1] + r[2] * r[2];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                t[i][j] += m[a] * ((i == j ? r2 : 0.0) - r[i] * r[j]);
    }
    return t[0][0] * (t[1][1] * t[2][2] - t[1][2] * t[2][1]) -
           t[0][1] * (t[1][0] * t[2][2] - t[1][2] * t[2][0]) +
           t[0][2] * (t[1][0] * t[2][1] - t[1][1] * t[2][0]);
}

TEST_F(DivinylbenzeneCorpusTest, DeuteratedFollowsTheProductRule) {
    std::string changes;
    for (std::size_t a = 0; a < 20; ++a)
        if (input_.atomicNumbers[a] == 1)
            changes += (changes.empty() ? "" : ",") + std::to_string(a + 1) + "=D";
    auto parsed = parseIsotopeChanges(changes, 20);
    ASSERT_TRUE(parsed) << parsed.error();
    ASSERT_EQ(parsed->size(), 10u);
    HessianInput heavy = input_;
    heavy.masses = applyMassChanges(input_.masses, *parsed);
    auto deuterated = analyseHessian(heavy);
    ASSERT_TRUE(deuterated) << deuterated.error();

    double lhs = 1.0, massTerm = 1.0, total = 0.0, heavyTotal = 0.0;
    for (std::size_t k = 0; k < 54; ++k)
        lhs *= deuterated->modes[k].frequency / analysis_.modes[k].frequency;
    for (std::size_t a = 0; a < 20; ++a) {
        massTerm *= std::pow(input_.masses[a] / heavy.masses[a], 1.5);
        total += input_.masses[a];
        heavyTotal += heavy.masses[a];
    }
    const double rhs = massTerm * std::pow(heavyTotal / total, 1.5) *
                       std::sqrt(inertiaProduct(heavy.coordinates, heavy.masses) /
                                 inertiaProduct(input_.coordinates, input_.masses));
    EXPECT_NEAR(lhs / rhs, 1.0, 1e-3);
    // C-H stretches near 3400 become C-D stretches near 2500.
    EXPECT_LT(deuterated->modes.back().frequency, 2700.0);
    EXPECT_GT(deuterated->modes.back().frequency, 2400.0);
}

} // namespace
} // namespace kalviro
