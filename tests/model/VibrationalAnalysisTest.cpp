#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "model/Isotopes.h"
#include "model/VibrationalAnalysis.h"
#include "model/readers/CheckpointSections.h"

namespace kalviro {
namespace {

using Matrix = std::vector<std::vector<double>>;
using Coordinate = std::function<double(const std::vector<double>&)>;

// Cyclic Jacobi rotations: the eigenvalues of a symmetric matrix, ascending.
std::vector<double> jacobiEigenvalues(Matrix a) {
    const std::size_t n = a.size();
    for (int sweep = 0; sweep < 100; ++sweep) {
        double off = 0.0;
        for (std::size_t p = 0; p < n; ++p)
            for (std::size_t q = p + 1; q < n; ++q)
                off += a[p][q] * a[p][q];
        if (off < 1e-30)
            break;
        for (std::size_t p = 0; p < n; ++p)
            for (std::size_t q = p + 1; q < n; ++q) {
                if (a[p][q] == 0.0)
                    continue;
                const double theta = (a[q][q] - a[p][p]) / (2.0 * a[p][q]);
                const double t = (theta >= 0 ? 1.0 : -1.0) /
                                 (std::abs(theta) + std::sqrt(theta * theta + 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0), s = t * c;
                for (std::size_t k = 0; k < n; ++k) { // columns p, q
                    const double kp = a[k][p], kq = a[k][q];
                    a[k][p] = c * kp - s * kq;
                    a[k][q] = s * kp + c * kq;
                }
                for (std::size_t k = 0; k < n; ++k) { // rows p, q
                    const double pk = a[p][k], qk = a[q][k];
                    a[p][k] = c * pk - s * qk;
                    a[q][k] = s * pk + c * qk;
                }
            }
    }
    std::vector<double> e;
    for (std::size_t i = 0; i < n; ++i)
        e.push_back(a[i][i]);
    std::sort(e.begin(), e.end());
    return e;
}

double distance(const std::vector<double>& x, int a, int b) {
    return std::hypot(x[3 * a] - x[3 * b], x[3 * a + 1] - x[3 * b + 1], x[3 * a + 2] - x[3 * b + 2]);
}

// A valence force field: H = sum k b b^T with b the gradient of each internal
// coordinate (central differences), invariant to rigid motions.
Matrix forceField(const std::vector<double>& x, const std::vector<std::pair<Coordinate, double>>& terms) {
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
std::vector<double> independentFrequencies(const Matrix& h, const std::vector<double>& m, int rigid) {
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
    const std::vector<std::pair<Coordinate, double>> waterField = {
        {stretch(0, 1), 0.52}, {stretch(0, 2), 0.52}, {bend(1, 0, 2), 0.16}};
    const std::vector<std::pair<Coordinate, double>> co2Field = {
        {stretch(0, 1), 1.0}, {stretch(1, 2), 1.0}, {linearBend(0, 2.2, 2.2), 0.05},
        {linearBend(1, 2.2, 2.2), 0.05}};
    return {{"water", {8, 1, 1}, water, waterField, "", 6},
            {"HOD", {8, 1, 1}, water, waterField, "3=D", 6},
            {"H2(18)O", {8, 1, 1}, water, waterField, "1=18O", 6},
            {"CO2", {8, 6, 8}, co2, co2Field, "", 5},
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

TEST(VibrationalAnalysisTest, WaterIsotopologuesFollowTheProductRule) {
    const auto all = models();
    const HessianInput light = inputOf(all[0]);
    HessianInput heavy = light;
    heavy.masses = applyMassChanges(light.masses, *parseIsotopeChanges("2=D,3=D", 3));
    const auto a = analyseHessian(light), b = analyseHessian(heavy);
    ASSERT_TRUE(a && b);
    double ratio = 1.0;
    for (std::size_t k = 0; k < 3; ++k)
        ratio *= b->modes[k].frequency / a->modes[k].frequency;
    // Planar in yz with the oxygen on z: Ix Iy Iz from the coordinates by hand.
    const auto inertia = [](const std::vector<double>& m, const std::vector<double>& x) {
        const double total = m[0] + m[1] + m[2];
        const double zc = (m[0] * x[2] + m[1] * x[5] + m[2] * x[8]) / total;
        double iy = 0, iz = 0;
        for (int i = 0; i < 3; ++i) {
            iy += m[i] * (x[3 * i + 2] - zc) * (x[3 * i + 2] - zc);
            iz += m[i] * x[3 * i + 1] * x[3 * i + 1];
        }
        return (iy + iz) * iy * iz;
    };
    const double mH = light.masses[1], mD = heavy.masses[1], mO = light.masses[0];
    const double expected = std::pow(mH / mD, 3.0) * std::pow((mO + 2 * mD) / (mO + 2 * mH), 1.5) *
                            std::sqrt(inertia(heavy.masses, heavy.coordinates) /
                                      inertia(light.masses, light.coordinates));
    EXPECT_NEAR(ratio / expected, 1.0, 1e-4);
}

TEST(VibrationalAnalysisTest, DiatomicFrequencyAndIntensity) {
    // Along x; atom 1 has d(mu_y)/dx = q only, atom 2 the opposite: the
    // stretch's dipole derivative points along y, q / sqrt(reduced mass).
    const double k = 0.37, q = 0.3;
    HessianInput in;
    in.atomicNumbers = {1, 9};
    in.coordinates = {0, 0, 0, 1.73, 0, 0};
    in.hessian.assign(21, 0.0);
    in.hessian[0] = k;   // (0,0)
    in.hessian[6] = -k;  // (3,0)
    in.hessian[9] = k;   // (3,3)
    in.polarTensor.assign(18, 0.0);
    in.polarTensor[1] = q;
    in.polarTensor[9 + 1] = -q;
    auto r = analyseHessian(in);
    ASSERT_TRUE(r) << r.error();
    ASSERT_EQ(r->modes.size(), 1u);
    const double mu = r->masses[0] * r->masses[1] / (r->masses[0] + r->masses[1]);
    EXPECT_NEAR(r->modes[0].frequency, 5140.487 * std::sqrt(k / mu), 0.01);
    // Reduced mass as programs print it: 1 / sum of the squared Cartesian
    // displacements of the unit mass-weighted mode.
    const double m1 = r->masses[0], m2 = r->masses[1];
    EXPECT_NEAR(r->modes[0].reducedMass, m1 * m2 * (m1 + m2) / (m1 * m1 + m2 * m2), 1e-9);
    EXPECT_NEAR(r->modes[0].intensity, 974.88 * q * q / mu, 0.01);
    EXPECT_NEAR(std::abs(r->modes[0].dipoleDerivative.y), std::sqrt(r->modes[0].intensity), 1e-9);
    EXPECT_NEAR(r->modes[0].dipoleDerivative.x, 0.0, 1e-12);
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
        {"no standard mass", [](HessianInput& in) { in.masses.clear(); in.atomicNumbers[0] = 99; }},
    };
    for (const auto& [name, spoil] : cases) {
        HessianInput in = good;
        spoil(in);
        auto r = analyseHessian(in);
        ASSERT_FALSE(r) << name;
        EXPECT_FALSE(r.error().empty()) << name;
    }
}

std::string section(const char* name, char type, const std::vector<double>& v) {
    char line[128];
    std::snprintf(line, sizeof line, "%-43s%c   N=%12zu\n", name, type, v.size());
    std::string s = line;
    for (std::size_t i = 0; i < v.size(); ++i) {
        std::snprintf(line, sizeof line, "%16.8E", v[i]);
        s += line;
        if (i % 5 == 4 || i + 1 == v.size())
            s += '\n';
    }
    return s;
}

TEST(VibrationalAnalysisTest, TheFilesOwnFrequenciesArePreferredWhenTheyAgree) {
    const HessianInput water = inputOf(models()[0]);
    const auto plain = analyseHessian(water);
    ASSERT_TRUE(plain);
    std::vector<double> e2;
    for (const NormalMode& m : plain->modes)
        e2.push_back(std::round(m.frequency) + 0.25);
    e2.resize(3 * 14, 1.0);
    const std::string text = "water\nFreq      RB3LYP                                                      STO-3G\n" +
                             section("Atomic numbers", 'I', {8, 1, 1}) +
                             section("Current cartesian coordinates", 'R', water.coordinates) +
                             section("Cartesian Force Constants", 'R', water.hessian) +
                             "Vib-NDim                                   I                3\n" +
                             section("Vib-E2", 'R', e2);
    auto sections = parseCheckpointSections(text);
    ASSERT_TRUE(sections) << sections.error();
    auto in = hessianInputFromCheckpoint(*sections);
    ASSERT_TRUE(in) << in.error();
    auto r = analyseHessian(*in);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->frequenciesFromFile);
    EXPECT_EQ(r->modes[2].frequency, e2[2]);

    in->fileFrequencies[1] += 50.0;
    r = analyseHessian(*in);
    EXPECT_FALSE(r->frequenciesFromFile);
    EXPECT_TRUE(r->fileFrequenciesDisagree);
    EXPECT_NEAR(r->modes[1].frequency, plain->modes[1].frequency, 1e-4); // 9 digits in the file

    auto noHessian = parseCheckpointSections(text.substr(0, text.find("Cartesian Force")));
    ASSERT_TRUE(noHessian);
    EXPECT_FALSE(hessianInputFromCheckpoint(*noHessian));
    EXPECT_TRUE(hessianInputFromCheckpoint(*noHessian, false));
}

} // namespace
} // namespace kalviro
