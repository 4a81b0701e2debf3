#pragma once
// An evaluator and analytic overlaps of contracted Cartesian Gaussians,
// written apart from the program's basis code so that the tests can check
// its orders, signs and normalisation.

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace kalviro::test {

struct Primitive {
    double exponent;
    std::array<double, 3> centre;
    std::array<int, 3> powers;
    double coefficient;
};
using ReferenceFunction = std::vector<Primitive>;

// Polynomials of the pure functions, m = 0, +1, -1, ..., expanded by hand
// from the textbook real solid harmonics (r^2 = x^2 + y^2 + z^2).
struct Monomial {
    double weight;
    std::array<int, 3> powers;
};
inline const std::vector<std::vector<Monomial>>& pureTable(int l) {
    static const std::vector<std::vector<Monomial>> d = {
        {{2, {0, 0, 2}}, {-1, {2, 0, 0}}, {-1, {0, 2, 0}}},
        {{1, {1, 0, 1}}},
        {{1, {0, 1, 1}}},
        {{1, {2, 0, 0}}, {-1, {0, 2, 0}}},
        {{1, {1, 1, 0}}}};
    static const std::vector<std::vector<Monomial>> f = {
        {{2, {0, 0, 3}}, {-3, {2, 0, 1}}, {-3, {0, 2, 1}}},
        {{4, {1, 0, 2}}, {-1, {3, 0, 0}}, {-1, {1, 2, 0}}},
        {{4, {0, 1, 2}}, {-1, {2, 1, 0}}, {-1, {0, 3, 0}}},
        {{1, {2, 0, 1}}, {-1, {0, 2, 1}}},
        {{1, {1, 1, 1}}},
        {{1, {3, 0, 0}}, {-3, {1, 2, 0}}},
        {{3, {2, 1, 0}}, {-1, {0, 3, 0}}}};
    static const std::vector<std::vector<Monomial>> g = {
        {{8, {0, 0, 4}},
         {-24, {2, 0, 2}},
         {-24, {0, 2, 2}},
         {3, {4, 0, 0}},
         {6, {2, 2, 0}},
         {3, {0, 4, 0}}},
        {{4, {1, 0, 3}}, {-3, {3, 0, 1}}, {-3, {1, 2, 1}}},
        {{4, {0, 1, 3}}, {-3, {2, 1, 1}}, {-3, {0, 3, 1}}},
        {{6, {2, 0, 2}}, {-6, {0, 2, 2}}, {-1, {4, 0, 0}}, {1, {0, 4, 0}}},
        {{6, {1, 1, 2}}, {-1, {3, 1, 0}}, {-1, {1, 3, 0}}},
        {{1, {3, 0, 1}}, {-3, {1, 2, 1}}},
        {{3, {2, 1, 1}}, {-1, {0, 3, 1}}},
        {{1, {4, 0, 0}}, {-6, {2, 2, 0}}, {1, {0, 4, 0}}},
        {{1, {3, 1, 0}}, {-1, {1, 3, 0}}}};
    static const std::vector<std::vector<Monomial>> none;
    return l == 2 ? d : l == 3 ? f : l == 4 ? g : none;
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
        polynomials = pureTable(l);
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

// Cartesian orders of a checkpoint file, written out from the file format's
// description.
inline std::vector<std::array<int, 3>> checkpointCartesian(int l) {
    switch (l) {
    case 0:
        return {{0, 0, 0}};
    case 1:
        return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    case 2:
        return {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}};
    case 3:
        return {{3, 0, 0}, {0, 3, 0}, {0, 0, 3}, {1, 2, 0}, {2, 1, 0},
                {2, 0, 1}, {1, 0, 2}, {0, 1, 2}, {0, 2, 1}, {1, 1, 1}};
    default: {
        std::vector<std::array<int, 3>> p; // x power rising slowest, then y
        for (int a = 0; a <= l; ++a)
            for (int b = 0; a + b <= l; ++b)
                p.push_back({a, b, l - a - b});
        return p;
    }
    }
}

} // namespace kalviro::test
