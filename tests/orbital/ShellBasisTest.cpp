// Basis functions of one shell against the test's own construction, their
// norms and overlaps by quadrature, the cut-off, and what a checkpoint file
// without usable basis or orbitals gives.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <tuple>

#include "GaussianReference.h"
#include "model/readers/CheckpointSections.h"
#include "orbital/OrbitalSet.h"
#include "orbital/ShellBasis.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

const std::vector<double> kExponents = {3.1, 0.7};
const std::vector<double> kCoefficients = {0.4, 0.8};
const Point3 kCentre = {0.2, -0.1, 0.3};
const std::vector<Point3> kPoints = {{0.5, 0.4, -0.2}, {-0.6, 0.1, 1.1}, {1.3, -0.8, 0.35}};

void expectShellMatches(int l, bool pure, CartesianOrder order,
                        const std::vector<std::array<int, 3>>& powers) {
    ShellBasis basis;
    basis.addShell(kCentre, 0, l, pure, kExponents, kCoefficients, order);
    const auto reference =
        test::shellFunctions(l, pure, kCentre, kExponents, kCoefficients, powers);
    ASSERT_EQ(basis.functionCount(), static_cast<int>(reference.size()));
    std::vector<double> values;
    for (const Point3& p : kPoints) {
        basis.evaluate(p, values);
        for (std::size_t f = 0; f < reference.size(); ++f)
            EXPECT_NEAR(values[f], test::value(reference[f], p), 1e-12)
                << "l " << l << (pure ? " pure" : " Cartesian") << " function " << f;
    }
}

TEST(ShellBasisTest, CartesianShellsFollowTheCheckpointOrder) {
    for (int l = 0; l <= 5; ++l)
        expectShellMatches(l, false, CartesianOrder::Checkpoint, test::checkpointCartesian(l));
}

TEST(ShellBasisTest, PureShellsAreTheTextbookHarmonics) {
    for (int l = 2; l <= 4; ++l)
        expectShellMatches(l, true, CartesianOrder::Checkpoint, {});
}

double doubleFactorial(int n) {
    return n <= 1 ? 1.0 : n * doubleFactorial(n - 2);
}

// Overlaps of one-primitive shells by a trapezoid sum (exact to many digits
// for Gaussians): unit norms, orthogonal pure functions, and the Cartesian
// overlaps prod (a+a'-1)!! / sqrt((2a-1)!! (2a'-1)!!).
TEST(ShellBasisTest, FunctionsUpToHHaveUnitNormByQuadrature) {
    for (int l = 0; l <= 5; ++l)
        for (bool pure : {false, true}) {
            if (pure && l < 2)
                continue;
            ShellBasis basis;
            basis.addShell({0, 0, 0}, 0, l, pure, {1.0}, {1.0});
            const int n = basis.functionCount();
            std::vector<double> s(n * n, 0.0), v;
            const double h = 0.2;
            for (double x = -6; x <= 6; x += h)
                for (double y = -6; y <= 6; y += h)
                    for (double z = -6; z <= 6; z += h) {
                        basis.evaluate({x, y, z}, v);
                        for (int i = 0; i < n; ++i)
                            for (int j = 0; j <= i; ++j)
                                s[i * n + j] += v[i] * v[j] * h * h * h;
                    }
            const auto powers = test::checkpointCartesian(l);
            for (int i = 0; i < n; ++i)
                for (int j = 0; j <= i; ++j) {
                    double want = i == j ? 1.0 : 0.0;
                    if (!pure) {
                        want = 1.0;
                        for (int k = 0; k < 3; ++k) {
                            const int a = powers[i][k], b = powers[j][k];
                            want *= (a + b) % 2 ? 0.0
                                                : doubleFactorial(a + b - 1) /
                                                      std::sqrt(doubleFactorial(2 * a - 1) *
                                                                doubleFactorial(2 * b - 1));
                        }
                    }
                    EXPECT_NEAR(s[i * n + j], want, 1e-8)
                        << "l " << l << (pure ? " pure " : " Cartesian ") << i << "," << j;
                }
        }
}

// h functions keep the leading coefficient positive: m = 0 and m = +-5 as
// ratios to their polynomials.
TEST(ShellBasisTest, PureHFunctionsHaveTheirPolynomialShapeAndSign) {
    using Poly = std::function<double(double, double, double)>;
    const std::vector<std::pair<int, Poly>> cases = {
        {0,
         [](double x, double y, double z) {
             const double r2 = x * x + y * y + z * z;
             return 63 * std::pow(z, 5) - 70 * std::pow(z, 3) * r2 + 15 * z * r2 * r2;
         }},
        {9,
         [](double x, double y, double) {
             return std::pow(x, 5) - 10 * std::pow(x, 3) * y * y + 5 * x * std::pow(y, 4);
         }},
        {10,
         [](double x, double y, double) {
             return 5 * std::pow(x, 4) * y - 10 * x * x * std::pow(y, 3) + std::pow(y, 5);
         }},
    };
    ShellBasis basis;
    basis.addShell({0, 0, 0}, 0, 5, true, {1.0}, {1.0});
    std::vector<double> v;
    for (const auto& [index, poly] : cases) {
        double ratio = 0.0;
        for (const Point3& p : kPoints) {
            basis.evaluate(p, v);
            const double r = v[index] / (poly(p[0], p[1], p[2]) *
                                         std::exp(-(p[0] * p[0] + p[1] * p[1] + p[2] * p[2])));
            EXPECT_GT(r, 0.0) << index;
            if (ratio != 0.0) {
                EXPECT_NEAR(r / ratio, 1.0, 1e-10) << index;
            }
            ratio = r;
        }
    }
}

TEST(ShellBasisTest, ShellIsSkippedWherePrimitiveFallsBelowCutoff) {
    // (2/pi)^3/4 exp(-r^2) reaches 1e-10 at r = 4.7633.
    ShellBasis basis;
    basis.addShell({0, 0, 0}, 0, 0, false, {1.0}, {1.0});
    std::vector<double> v;
    basis.evaluate({4.75, 0, 0}, v);
    EXPECT_GT(v[0], 0.0);
    basis.evaluate({0, 4.78, 0}, v);
    EXPECT_EQ(v[0], 0.0);
}

using Arrays = std::map<std::string, std::vector<double>>;

// A checkpoint text of integer and real arrays.
std::string checkpointText(const Arrays& arrays) {
    std::string out = "title\nSP        RHF                            STO-3G\n";
    char line[128];
    for (const auto& [name, values] : arrays) {
        if (name.ends_with("electrons")) {
            std::snprintf(line, sizeof line, "%-43sI%17.0f\n", name.c_str(), values.at(0));
            out += line;
            continue;
        }
        const bool real = name.find("coe") != std::string::npos ||
                          name.find("exponents") != std::string::npos || name[0] == 'C';
        std::snprintf(line, sizeof line, "%-43s%c   N=%12zu\n", name.c_str(), real ? 'R' : 'I',
                      values.size());
        out += line;
        for (double v : values) {
            std::snprintf(line, sizeof line, real ? "%16.8E\n" : "%12.0f\n", v);
            out += line;
        }
    }
    return out;
}

// An SP shell is an s and a p shell on one set of exponents, each with its
// own coefficients; a negative type above 1 is a pure shell.
TEST(ShellBasisTest, CheckpointSpAndPureShells) {
    const Arrays arrays = {{"Shell types", {-1, -2}},
                           {"Number of primitives per shell", {1, 1}},
                           {"Shell to atom map", {1, 1}},
                           {"Primitive exponents", {3.1, 0.7}},
                           {"Contraction coefficients", {0.4, 0.8}},
                           {"P(S=P) Contraction coefficients", {0.9, 0.0}},
                           {"Coordinates of each shell", {0.2, -0.1, 0.3, 0.2, -0.1, 0.3}}};
    const auto basis = basisFromCheckpoint(*parseCheckpointSections(checkpointText(arrays)));
    ASSERT_TRUE(basis.ok()) << basis.error();
    std::vector<test::ReferenceFunction> reference =
        test::shellFunctions(0, false, kCentre, {3.1}, {0.4}, test::checkpointCartesian(0));
    for (const auto& f :
         {test::shellFunctions(1, false, kCentre, {3.1}, {0.9}, test::checkpointCartesian(1)),
          test::shellFunctions(2, true, kCentre, {0.7}, {0.8}, {})})
        reference.insert(reference.end(), f.begin(), f.end());
    ASSERT_EQ(basis->functionCount(), 9);
    std::vector<double> values;
    for (const Point3& p : kPoints) {
        basis->evaluate(p, values);
        for (std::size_t f = 0; f < reference.size(); ++f)
            EXPECT_NEAR(values[f], test::value(reference[f], p), 1e-12) << f;
    }
}

TEST(ShellBasisTest, BadCheckpointBasisGivesReason) {
    const Arrays good = {{"Atomic numbers", {1}},
                         {"Current cartesian coordinates", {0, 0, 0}},
                         {"Shell types", {0}},
                         {"Number of primitives per shell", {1}},
                         {"Primitive exponents", {1.0}},
                         {"Contraction coefficients", {1.0}},
                         {"Coordinates of each shell", {0, 0, 0}},
                         {"Number of alpha electrons", {2}},
                         {"Alpha MO coefficients", {1.0, 1.0}}};
    // Without orbital energies the alpha electron count still picks the first.
    const auto read = orbitalsFromCheckpoint(*parseCheckpointSections(checkpointText(good)));
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(read->orbitals[read->defaultOrbital()].number, 2);
    const std::vector<std::tuple<std::string, std::vector<double>, std::string>> cases = {
        {"Alpha MO coefficients", {}, "このファイルには分子軌道の係数がありません"},
        {"Atomic numbers", {}, "このファイルには原子の座標がありません"},
        {"Shell types", {6}, "知らない殻の種類があります: 6"},
        {"Number of primitives per shell", {2}, "殻の原始関数の数が正しくありません"},
        {"Primitive exponents", {-1.0}, "原始関数の指数が正の数ではありません"},
        {"Coordinates of each shell", {0, 0}, "基底関数の項目の個数が合いません: Coordinates"},
        {"Shell types", {1}, "分子軌道の係数の個数が基底関数の数と合いません"},
    };
    for (const auto& [section, values, reason] : cases) {
        Arrays arrays = good;
        if (values.empty())
            arrays.erase(section);
        else
            arrays[section] = values;
        const auto set = orbitalsFromCheckpoint(*parseCheckpointSections(checkpointText(arrays)));
        ASSERT_FALSE(set.ok()) << section;
        EXPECT_EQ(set.error().rfind(reason, 0), 0u) << section << ": " << set.error();
    }
}

} // namespace
} // namespace kalviro
