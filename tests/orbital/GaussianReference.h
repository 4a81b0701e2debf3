#pragma once
// An evaluator and analytic overlaps of contracted Cartesian Gaussians,
// written apart from the program's basis code so that the tests can check
// its orders, signs and normalisation.

#include <array>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/readers/CheckpointSections.h"
#include "support/TestSupport.h"

namespace kalviro::test {

struct Primitive {
    double exponent;
    std::array<double, 3> centre;
    std::array<int, 3> powers;
    double coefficient;
};
using ReferenceFunction = std::vector<Primitive>;

// Polynomials of tests/data/orbital/shell_polynomials.txt under key ("pure2",
// "cartesian1", ...), one a line.
struct Monomial {
    double weight;
    std::array<int, 3> powers;
};
inline std::vector<std::vector<Monomial>> polynomialTable(const std::string& key) {
    std::ifstream in(dataPath("orbital/shell_polynomials.txt"));
    std::vector<std::vector<Monomial>> rows;
    std::string term;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        if (!(words >> term) || term != key)
            continue;
        rows.emplace_back();
        for (std::size_t colon; words >> term;) { // weight:xyz, weight 1 when absent
            colon = term.find(':');
            const char* p = term.c_str() + (colon == std::string::npos ? 0 : colon + 1);
            rows.back().push_back({colon == std::string::npos ? 1.0 : std::stod(term),
                                   {p[0] - '0', p[1] - '0', p[2] - '0'}});
        }
    }
    EXPECT_FALSE(rows.empty()) << key;
    return rows;
}

// One-dimensional overlaps of x^i e^{-a (x-A)^2} and x^j e^{-b (x-B)^2}
// by the Obara-Saika recurrence.
inline double overlap1d(int i, int j, double a, double b, double A, double B) {
    const double p = a + b;
    const double P = (a * A + b * B) / p;
    double s[8][8] = {};
    s[0][0] = std::sqrt(std::numbers::pi / p) * std::exp(-a * b / p * (A - B) * (A - B));
    for (int u = 0; u <= i; ++u)
        for (int v = 0; v <= j; ++v) {
            if (u == 0 && v == 0)
                continue;
            if (u > 0) {
                double x = (P - A) * s[u - 1][v];
                if (u > 1)
                    x += (u - 1) / (2 * p) * s[u - 2][v];
                if (v > 0)
                    x += v / (2 * p) * s[u - 1][v - 1];
                s[u][v] = x;
            } else {
                double x = (P - B) * s[u][v - 1];
                if (v > 1)
                    x += (v - 1) / (2 * p) * s[u][v - 2];
                s[u][v] = x;
            }
        }
    return s[i][j];
}

inline double overlap(const ReferenceFunction& f, const ReferenceFunction& g) {
    double sum = 0.0;
    for (const Primitive& a : f)
        for (const Primitive& b : g) {
            double s = a.coefficient * b.coefficient;
            for (int k = 0; k < 3 && s != 0.0; ++k)
                s *= overlap1d(a.powers[k], b.powers[k], a.exponent, b.exponent, a.centre[k],
                               b.centre[k]);
            sum += s;
        }
    return sum;
}

inline double value(const ReferenceFunction& f, const std::array<double, 3>& r) {
    double sum = 0.0;
    for (const Primitive& p : f) {
        double v = p.coefficient;
        double r2 = 0.0;
        for (int k = 0; k < 3; ++k) {
            const double d = r[k] - p.centre[k];
            v *= std::pow(d, p.powers[k]);
            r2 += d * d;
        }
        sum += v * std::exp(-p.exponent * r2);
    }
    return sum;
}

// The functions of one shell: Cartesian in the order given, or pure from
// pureTable; primitives weighted as normalised x^l primitives; each
// function then scaled to unit norm.
inline std::vector<ReferenceFunction>
shellFunctions(int l, bool pure, const std::array<double, 3>& centre,
               const std::vector<double>& exponents, const std::vector<double>& coefficients,
               const std::vector<std::array<int, 3>>& cartesianOrder) {
    std::vector<std::vector<Monomial>> polynomials;
    if (pure && l >= 2) {
        polynomials = polynomialTable("pure" + std::to_string(l));
    } else {
        for (const auto& p : cartesianOrder)
            polynomials.push_back({{1.0, p}});
    }
    std::vector<ReferenceFunction> out;
    for (const auto& poly : polynomials) {
        ReferenceFunction f;
        for (std::size_t k = 0; k < exponents.size(); ++k) {
            const double a = exponents[k];
            const double n = std::pow(2 * a / std::numbers::pi, 0.75) * std::pow(4 * a, 0.5 * l);
            for (const Monomial& m : poly)
                f.push_back({a, centre, m.powers, coefficients[k] * n * m.weight});
        }
        const double norm = std::sqrt(overlap(f, f));
        for (Primitive& p : f)
            p.coefficient /= norm;
        out.push_back(std::move(f));
    }
    return out;
}

// Cartesian orders of a checkpoint file.
inline std::vector<std::array<int, 3>> checkpointCartesian(int l) {
    std::vector<std::array<int, 3>> p;
    const auto table = l <= 3 ? polynomialTable("cartesian" + std::to_string(l))
                              : std::vector<std::vector<Monomial>>{{}};
    for (const Monomial& m : table.at(0))
        p.push_back(m.powers);
    for (int a = 0; l > 3 && a <= l; ++a) // x power rising slowest, then y
        for (int b = 0; a + b <= l; ++b)
            p.push_back({a, b, l - a - b});
    return p;
}

// Every basis function of a checkpoint file's shell sections.
inline std::vector<ReferenceFunction> referenceBasis(const CheckpointSections& f) {
    const auto& types = f.values("Shell types");
    const auto& counts = f.values("Number of primitives per shell");
    const auto& exps = f.values("Primitive exponents");
    const auto& coefs = f.values("Contraction coefficients");
    const auto& sp = f.values("P(S=P) Contraction coefficients");
    const auto& xyz = f.values("Coordinates of each shell");
    std::vector<ReferenceFunction> out;
    std::size_t k = 0;
    for (std::size_t i = 0; i < types.size(); ++i) {
        const int n = static_cast<int>(counts[i]);
        const std::vector<double> e(exps.begin() + k, exps.begin() + k + n);
        const std::vector<double> c(coefs.begin() + k, coefs.begin() + k + n);
        const std::array<double, 3> centre{xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]};
        const int t = static_cast<int>(types[i]);
        auto add = [&](int l, bool pure, const std::vector<double>& cc) {
            for (auto& fn :
                 shellFunctions(l, pure, centre, e, cc, checkpointCartesian(l)))
                out.push_back(std::move(fn));
        };
        if (t == -1) {
            add(0, false, c);
            add(1, false, std::vector<double>(sp.begin() + k, sp.begin() + k + n));
        } else {
            add(std::abs(t), t < -1, c);
        }
        k += n;
    }
    return out;
}

// One orbital of the file, alpha spin, as a single sum of primitives.
inline ReferenceFunction fileOrbital(const std::string& path, int orbital) {
    const auto file = readCheckpointSections(path);
    EXPECT_TRUE(file.ok()) << path;
    const auto basis = referenceBasis(*file);
    const auto& c = file->values("Alpha MO coefficients");
    ReferenceFunction out;
    for (std::size_t mu = 0; mu < basis.size(); ++mu)
        for (Primitive p : basis[mu]) {
            p.coefficient *= c[static_cast<std::size_t>(orbital) * basis.size() + mu];
            out.push_back(p);
        }
    return out;
}

} // namespace kalviro::test
