#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "model/FrameAlignment.h"
#include "model/Isotopes.h"
#include "model/ModeDipoles.h"
#include "model/VibrationalAnalysis.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

using Matrix = std::vector<std::vector<double>>;
using Coordinate = std::function<double(const std::vector<double>&)>;

// Cyclic Jacobi rotations (A <- J^T A J): the eigenvalues of a symmetric
// matrix, ascending.
std::vector<double> jacobiEigenvalues(Matrix a) {
    const std::size_t n = a.size();
    for (int sweep = 0; sweep < 50; ++sweep)
        for (std::size_t p = 0; p < n; ++p)
            for (std::size_t q = p + 1; q < n; ++q) {
                if (std::abs(a[p][q]) < 1e-300)
                    continue;
                const double theta = (a[q][q] - a[p][p]) / (2.0 * a[p][q]);
                const double t =
                    std::copysign(1.0, theta) / (std::abs(theta) + std::hypot(theta, 1.0));
                const double c = 1.0 / std::hypot(t, 1.0), s = t * c;
                for (std::size_t k = 0; k < n; ++k)
                    std::tie(a[k][p], a[k][q]) =
                        std::pair(c * a[k][p] - s * a[k][q], s * a[k][p] + c * a[k][q]);
                for (std::size_t k = 0; k < n; ++k)
                    std::tie(a[p][k], a[q][k]) =
                        std::pair(c * a[p][k] - s * a[q][k], s * a[p][k] + c * a[q][k]);
            }
    std::vector<double> e;
    for (std::size_t i = 0; i < n; ++i)
        e.push_back(a[i][i]);
    std::sort(e.begin(), e.end());
    return e;
}

double distance(const std::vector<double>& x, int a, int b) {
    return std::hypot(x[3 * a] - x[3 * b], x[3 * a + 1] - x[3 * b + 1],
                      x[3 * a + 2] - x[3 * b + 2]);
}

// A valence force field: H = sum k b b^T with b the gradient of each internal
// coordinate (central differences), invariant to rigid motions.
Matrix forceField(const std::vector<double>& x,
                  const std::vector<std::pair<Coordinate, double>>& terms) {
    const std::size_t n = x.size();
    Matrix h(n, std::vector<double>(n, 0.0));
    for (const auto& [q, k] : terms) {
        std::vector<double> b(n);
        for (std::size_t i = 0; i < n; ++i) {
            std::vector<double> plus = x, minus = x;
            plus[i] += 1e-5;
            minus[i] -= 1e-5;
            b[i] = (q(plus) - q(minus)) / 2e-5;
        }
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j)
                h[i][j] += k * b[i] * b[j];
    }
    return h;
}

std::vector<double> lowerTriangle(const Matrix& h) {
    std::vector<double> t;
    for (std::size_t i = 0; i < h.size(); ++i)
        for (std::size_t j = 0; j <= i; ++j)
            t.push_back(h[i][j]);
    return t;
}

// The independent route: the whole mass-weighted Hessian by Jacobi; the
// rigid motions are the eigenvalues nearest zero.
std::vector<double> independentFrequencies(const Matrix& h, const std::vector<double>& m,
                                           int rigid) {
    Matrix w = h;
    for (std::size_t i = 0; i < h.size(); ++i)
        for (std::size_t j = 0; j < h.size(); ++j)
            w[i][j] /= std::sqrt(m[i / 3] * m[j / 3]);
    std::vector<double> e = jacobiEigenvalues(w);
    std::sort(e.begin(), e.end(), [](double a, double b) { return std::abs(a) < std::abs(b); });
    e.erase(e.begin(), e.begin() + rigid);
    std::vector<double> f;
    for (double l : e)
        f.push_back(5140.487 * std::sqrt(l));
    std::sort(f.begin(), f.end());
    return f;
}

struct Model {
    const char* name;
    std::vector<int> z;
    std::vector<double> xyz; // bohr
    std::vector<std::pair<Coordinate, double>> terms;
    const char* isotopes; // empty: standard masses
    int rigid;
};

Coordinate stretch(int a, int b) {
    return [=](const std::vector<double>& x) { return distance(x, a, b); };
}
Coordinate bend(int a, int b, int c) {
    return [=](const std::vector<double>& x) {
        double dot = 0;
        for (int i = 0; i < 3; ++i)
            dot += (x[3 * a + i] - x[3 * b + i]) * (x[3 * c + i] - x[3 * b + i]);
        return std::acos(dot / (distance(x, a, b) * distance(x, c, b)));
    };
}
// Bend of a linear a-b-c along z, in direction i (0: x, 1: y).
Coordinate linearBend(int i, double ra, double rc) {
    return [=](const std::vector<double>& x) {
        return x[i] / ra - x[3 + i] * (1 / ra + 1 / rc) + x[6 + i] / rc;
    };
}

std::vector<Model> models() {
    const std::vector<double> water = {0, 0, 0.22, 0, 1.43, -0.88, 0, -1.43, -0.88};
    const std::vector<double> co2 = {0, 0, -2.2, 0, 0, 0, 0, 0, 2.2};
    const std::vector<double> triangle = {0, 0.952628, 0,         0.825, -0.476314,
                                          0, -0.825,   -0.476314, 0};
    const std::vector<std::pair<Coordinate, double>> waterField = {
        {stretch(0, 1), 0.52}, {stretch(0, 2), 0.52}, {bend(1, 0, 2), 0.16}};
    const std::vector<std::pair<Coordinate, double>> co2Field = {{stretch(0, 1), 1.0},
                                                                 {stretch(1, 2), 1.0},
                                                                 {linearBend(0, 2.2, 2.2), 0.05},
                                                                 {linearBend(1, 2.2, 2.2), 0.05}};
    return {{"water", {8, 1, 1}, water, waterField, "", 6},
            {"HOD", {8, 1, 1}, water, waterField, "3=D", 6},
            {"CO2", {8, 6, 8}, co2, co2Field, "", 5},
            {"H3+", {1, 1, 1}, triangle,
             {{stretch(0, 1), 0.3}, {stretch(1, 2), 0.3}, {stretch(2, 0), 0.3}}, "", 6},
            {"(13)CO2", {8, 6, 8}, co2, co2Field, "2=13C", 5}};
}

HessianInput inputOf(const Model& model) {
    HessianInput in;
    in.atomicNumbers = model.z;
    in.coordinates = model.xyz;
    in.hessian = lowerTriangle(forceField(model.xyz, model.terms));
    for (int z : model.z)
        in.masses.push_back(*standardIsotopeMass(z));
    if (*model.isotopes)
        in.masses = applyMassChanges(in.masses, *parseIsotopeChanges(model.isotopes, 3));
    return in;
}

TEST(VibrationalAnalysisTest, ModelsAgreeWithAnIndependentDiagonalisation) {
    for (const Model& model : models()) {
        const HessianInput in = inputOf(model);
        auto result = analyseHessian(in);
        ASSERT_TRUE(result) << model.name << ": " << result.error();
        EXPECT_EQ(result->linear, model.rigid == 5) << model.name;
        const std::vector<double> expected =
            independentFrequencies(forceField(model.xyz, model.terms), in.masses, model.rigid);
        ASSERT_EQ(result->modes.size(), expected.size()) << model.name;
        for (std::size_t k = 0; k < expected.size(); ++k) {
            EXPECT_NEAR(result->modes[k].frequency, expected[k], 1e-4 * expected[k]) << model.name;
            double norm = 0;
            for (const Vector3& d : result->modes[k].displacements)
                norm += d.x * d.x + d.y * d.y + d.z * d.z;
            EXPECT_NEAR(norm, 1.0, 1e-12);
        }
    }
}

TEST(VibrationalAnalysisTest, BadInputIsRefused) {
    const HessianInput good = inputOf(models()[0]);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::pair<const char*, std::function<void(HessianInput&)>>> cases = {
        {"short Hessian", [](HessianInput& in) { in.hessian.pop_back(); }},
        {"NaN in Hessian", [&](HessianInput& in) { in.hessian[4] = nan; }},
        {"zero mass", [](HessianInput& in) { in.masses[1] = 0.0; }},
        {"negative mass", [](HessianInput& in) { in.masses[2] = -1.0; }},
        {"mass count", [](HessianInput& in) { in.masses.pop_back(); }},
        {"coordinates", [](HessianInput& in) { in.coordinates.pop_back(); }},
        {"polar tensor", [](HessianInput& in) { in.polarTensor.assign(26, 0.0); }},
        {"no atoms", [](HessianInput& in) { in = HessianInput{}; }},
        {"no standard mass",
         [](HessianInput& in) {
             in.masses.clear();
             in.atomicNumbers[0] = 99;
         }},
    };
    for (const auto& [name, spoil] : cases) {
        HessianInput in = good;
        spoil(in);
        auto r = analyseHessian(in);
        ASSERT_FALSE(r) << name;
        EXPECT_FALSE(r.error().empty()) << name;
    }
    HessianInput light = good;
    light.masses[2] = -1.0; // the third atom, named by its number
    EXPECT_EQ(analyseHessian(light).error(), msg::kHessianMassNotPositive + std::string("3"));
}

TEST(VibrationalAnalysisTest, TheFilesOwnFrequenciesArePreferredWhenTheyAgree) {
    HessianInput in = inputOf(models()[0]);
    const auto plain = analyseHessian(in);
    ASSERT_TRUE(plain);
    for (const NormalMode& m : plain->modes)
        in.fileFrequencies.push_back(std::round(m.frequency) + 0.25);
    auto r = analyseHessian(in);
    EXPECT_TRUE(r->frequenciesFromFile);
    EXPECT_EQ(r->modes[2].frequency, in.fileFrequencies[2]);
    in.fileFrequencies[1] += 50.0;
    r = analyseHessian(in);
    EXPECT_FALSE(r->frequenciesFromFile);
    EXPECT_TRUE(r->fileFrequenciesDisagree);
    EXPECT_EQ(r->modes[1].frequency, plain->modes[1].frequency);
}

TEST(VibrationalAnalysisTest, DegenerateModesMatchAnOutputsModesAsASubspace) {
    // An equilateral triangle (one degenerate pair) with charges: the output
    // prints it turned (z onto x, x onto y) and its pair mixed by 30 degrees.
    HessianInput in = inputOf(models()[3]);
    for (double q : {0.5, -0.2, -0.3})
        for (int i = 0; i < 9; ++i)
            in.polarTensor.push_back(i % 4 == 0 ? q : 0.1 * q);
    auto analysis = analyseHessian(in);
    ASSERT_TRUE(analysis);
    const std::vector<NormalMode>& m = analysis->modes;
    ASSERT_NEAR(m[0].frequency, m[1].frequency, 1e-3);
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    // Mode k of the output from the Hessian's: turned, and mixed for k < 2.
    const auto outputOf = [&](std::size_t k, auto field) {
        const Vector3 d = field(m[k]), e = field(m[1 - std::min<std::size_t>(k, 1)]);
        const double t = k == 0 ? s : -s;
        const Vector3 v =
            k < 2 ? Vector3{c * d.x + t * e.x, c * d.y + t * e.y, c * d.z + t * e.z} : d;
        return Vector3{v.z, v.x, v.y};
    };
    FrequencyJob output; // no intensities: the vectors stay as they come
    for (int a = 0; a < 3; ++a) {
        output.atoms.emplace_back();
        output.atoms[a].setElementByNumber(1);
        output.atoms[a].y = in.coordinates[3 * a] * kBohrInAngstrom;
        output.atoms[a].z = in.coordinates[3 * a + 1] * kBohrInAngstrom;
    }
    for (std::size_t k = 0; k < 3; ++k) {
        output.modes.emplace_back();
        for (int a = 0; a < 3; ++a)
            output.modes[k].push_back(
                outputOf(k, [a](const NormalMode& n) { return n.displacements[a]; }));
        output.frequencies.push_back(std::to_string(m[k].frequency));
    }
    auto dipoles = dipolesForOutputModes(output, in, *analysis);
    ASSERT_TRUE(dipoles) << dipoles.error();
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(dipoles->overlap[k], 1.0, 1e-6) << k;
        const Vector3 expected =
            outputOf(k, [](const NormalMode& n) { return n.dipoleDerivative; });
        EXPECT_LT((dipoles->vectors[k] - expected).length(), 1e-6) << k;
    }
}

// From the output's own displacements: |v|^2 is the printed intensity in
// km/mol, and a mode that moves nothing stays zero whatever is printed.
TEST(VibrationalAnalysisTest, OutputDisplacementsTakeThePrintedIntensity) {
    HessianInput in = inputOf(models()[0]);
    in.hessian.clear();
    for (double q : {-0.8, 0.4, 0.4})
        for (int i = 0; i < 9; ++i)
            in.polarTensor.push_back(i % 4 == 0 ? q : 0.0);
    FrequencyJob output;
    output.intensityToKmPerMol = 3.0;
    output.intensities = {"2.0", "5.0"};
    output.modes.assign(2, std::vector<Vector3>(3));
    for (int a = 0; a < 3; ++a) {
        output.atoms.emplace_back();
        output.atoms[a].setElementByNumber(in.atomicNumbers[a]);
        output.atoms[a].y = in.coordinates[3 * a + 1] * kBohrInAngstrom;
        output.atoms[a].z = in.coordinates[3 * a + 2] * kBohrInAngstrom;
        output.modes[0][a].z = a == 0 ? -0.07 : 0.55; // symmetric, along the C2 axis
    }
    const auto dipoles = dipolesFromOutputDisplacements(output, in);
    ASSERT_TRUE(dipoles) << dipoles.error();
    const Vector3& v = dipoles->vectors[0];
    EXPECT_EQ(v.x, 0.0);
    EXPECT_NEAR(v.y, 0.0, 1e-12);
    EXPECT_NEAR(v.z * v.z, 6.0, 1e-9);
    EXPECT_EQ(dipoles->vectors[1], Vector3{});
}

const std::vector<Vector3> kChiral = {
    {0, 0, 0}, {1.09, 0, 0}, {-0.36, 1.03, 0}, {-0.36, -0.51, 0.89}, {-0.5, -0.6, -1.2}};

TEST(FrameAlignmentTest, RecoversARotationAndShift) {
    // 40 degrees about z, then 70 about x, written out.
    const double a = 40 * M_PI / 180, b = 70 * M_PI / 180;
    const double r[3][3] = {{std::cos(a), -std::sin(a), 0},
                            {std::cos(b) * std::sin(a), std::cos(b) * std::cos(a), -std::sin(b)},
                            {std::sin(b) * std::sin(a), std::sin(b) * std::cos(a), std::cos(b)}};
    std::vector<Vector3> to;
    for (const Vector3& p : kChiral)
        to.push_back({r[0][0] * p.x + r[0][1] * p.y + 3,
                      r[1][0] * p.x + r[1][1] * p.y + r[1][2] * p.z - 2,
                      r[2][0] * p.x + r[2][1] * p.y + r[2][2] * p.z + 5});
    const FrameAlignment f = alignFrames(kChiral, to);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(f.rotation[i][j], r[i][j], 1e-12);
    EXPECT_LT(f.rmsDeviation, 1e-12);
    EXPECT_FALSE(f.axisOpen);
    EXPECT_NEAR(f.turnBack(f.turn({0.3, -0.2, 0.9})).z, 0.9, 1e-12);
}

// Files whose frames were not compared keep the default: no turn at all.
TEST(FrameAlignmentTest, DefaultLeavesVectorsAsTheyAre) {
    const Vector3 v{0.3, -0.2, 0.9};
    EXPECT_EQ(FrameAlignment{}.turn(v), v);
    EXPECT_EQ(FrameAlignment{}.turnBack(v), v);
}

TEST(FrameAlignmentTest, AnotherMoleculeIsRefused) {
    const std::vector<int> z = {6, 1, 1, 1, 9};
    std::vector<Vector3> mirror, moved = kChiral;
    for (const Vector3& p : kChiral)
        mirror.push_back({p.x, p.y, -p.z});
    moved[4].x += 0.01;
    struct Case {
        const char* name;
        std::vector<int> toZ;
        std::vector<Vector3> to;
    };
    const Case cases[] = {
        {"mirror image", z, mirror},
        {"one atom moved", z, moved},
        {"other element", {6, 1, 1, 1, 17}, kChiral},
        {"fewer atoms", {6, 1, 1, 1}, {kChiral.begin(), kChiral.end() - 1}},
    };
    for (const Case& c : cases) {
        auto r = alignSameMolecule(z, kChiral, c.toZ, c.to);
        ASSERT_FALSE(r) << c.name;
        EXPECT_NE(r.error().find("別の分子"), std::string::npos) << c.name << ": " << r.error();
    }
    EXPECT_TRUE(alignSameMolecule(z, kChiral, z, kChiral));
}

TEST(FrameAlignmentTest, ModesFixTheTurnAboutALinearMoleculesAxis) {
    // On z with bends along x and y; the other frame has it turned 35
    // degrees about z and then 180 about x: (x, y, z) -> (c x - s y, -(s x + c y), -z).
    const double c = std::cos(35 * M_PI / 180), s = std::sin(35 * M_PI / 180);
    const auto other = [&](const Vector3& v) {
        return Vector3{c * v.x - s * v.y, -(s * v.x + c * v.y), -v.z};
    };
    const std::vector<Vector3> to = {{0, 0, -1.2}, {0, 0, 0}, {0, 0, 1.2}};
    const std::vector<std::vector<Vector3>> toModes = {{{0.5, 0, 0}, {-0.7, 0, 0}, {0.5, 0, 0}},
                                                       {{0, 0.5, 0}, {0, -0.7, 0}, {0, 0.5, 0}}};
    std::vector<Vector3> from;
    std::vector<std::vector<Vector3>> fromModes(2);
    for (std::size_t a = 0; a < 3; ++a) {
        from.push_back(other(to[a]));
        for (std::size_t k = 0; k < 2; ++k)
            fromModes[k].push_back(other(toModes[k][a]));
    }
    EXPECT_TRUE(alignFrames(from, to).axisOpen);
    const FrameAlignment f = alignFramesWithModes(from, to, fromModes, toModes);
    EXPECT_LT(f.rmsDeviation, 1e-9);
    for (std::size_t k = 0; k < 2; ++k) { // each mode onto its own, up to sign
        const Vector3 d = f.turn(fromModes[k][0]);
        EXPECT_NEAR(std::abs(k == 0 ? d.x : d.y), 0.5, 1e-6) << k;
        EXPECT_NEAR(d.z, 0.0, 1e-9) << k;
    }
}

} // namespace
} // namespace kalviro
