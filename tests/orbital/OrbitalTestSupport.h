#pragma once
// Helpers of the orbital tests: checkpoint text built from parts, and the
// program's grid against the direct evaluation of GaussianReference.h.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GaussianReference.h"
#include "orbital/MolecularOrbital.h"
#include "document/OrbitalSelection.h"

namespace kalviro::test {

// A Gaussian 09-style formatted checkpoint file: counts on labelled lines,
// arrays in the file's fixed-width fields.
struct FchkParts {
    std::string method = "RHF";
    std::string basis = "STO-3G";
    int electrons = 10;
    int basisFunctions = 7;
    std::vector<int> atomicNumbers{8, 1, 1};
    std::vector<double> coordinatesBohr{0.0,     0.0, 0.2217,  0.0,    1.4309,
                                        -0.8867, 0.0, -1.4309, -0.8867};
    std::vector<double> coefficients; // all orbitals, one after another
    std::string lineEnd = "\n";
};

inline std::string realsBlock(const std::vector<double>& v, const std::string& end) {
    std::string out;
    char buf[32];
    for (std::size_t k = 0; k < v.size(); ++k) {
        std::snprintf(buf, sizeof buf, "%16.8E", v[k]);
        out += buf;
        if (k % 5 == 4 || k + 1 == v.size())
            out += end;
    }
    return out;
}

inline std::string fchkText(const FchkParts& p) {
    const std::string& e = p.lineEnd;
    char buf[128];
    std::string out = "water test" + e;
    std::snprintf(buf, sizeof buf, "%-10s%-60s%-20s", "SP", p.method.c_str(), p.basis.c_str());
    out += buf + e;
    auto integer = [&](const char* label, int v) {
        std::snprintf(buf, sizeof buf, "%-43sI%17d", label, v);
        out += buf + e;
    };
    integer("Number of atoms", static_cast<int>(p.atomicNumbers.size()));
    out += "Info1-9                                    I   N=           9" + e;
    out += "          12          12           0           0           0         110" + e;
    out += "           1           2           1" + e;
    integer("Charge", 0);
    integer("Multiplicity", 1);
    integer("Number of electrons", p.electrons);
    integer("Number of alpha electrons", p.electrons / 2);
    integer("Number of beta electrons", p.electrons / 2);
    integer("Number of basis functions", p.basisFunctions);
    auto array = [&](const char* label, char kind, std::size_t n) {
        std::snprintf(buf, sizeof buf, "%-43s%c   N=%12d", label, kind, static_cast<int>(n));
        out += buf + e;
    };
    array("Atomic numbers", 'I', p.atomicNumbers.size());
    for (std::size_t k = 0; k < p.atomicNumbers.size(); ++k) {
        std::snprintf(buf, sizeof buf, "%12d", p.atomicNumbers[k]);
        out += buf;
        if (k % 6 == 5 || k + 1 == p.atomicNumbers.size())
            out += e;
    }
    array("Nuclear charges", 'R', p.atomicNumbers.size());
    out += realsBlock(std::vector<double>(p.atomicNumbers.begin(), p.atomicNumbers.end()), e);
    array("Current cartesian coordinates", 'R', p.coordinatesBohr.size());
    out += realsBlock(p.coordinatesBohr, e);
    array("Shell types", 'I', 1);
    out += "           0" + e;
    array("Alpha Orbital Energies", 'R', 1);
    out += realsBlock({-0.5}, e);
    array("Alpha MO coefficients", 'R', p.coefficients.size());
    out += realsBlock(p.coefficients, e);
    array("Total SCF Density", 'R', 3);
    out += realsBlock({9.0, 8.0, 7.0}, e);
    return out;
}

// Coefficients 100 * orbital + function (1-based), so every value names its place.
inline std::vector<double> numberedCoefficients(int orbitals, int functions) {
    std::vector<double> v;
    for (int o = 1; o <= orbitals; ++o)
        for (int f = 1; f <= functions; ++f)
            v.push_back(100.0 * o + f);
    return v;
}

// Normalisation of a Cartesian primitive x^lx y^ly z^lz, each function on
// its own: (2a/pi)^(3/4) (4a)^(l/2) / sqrt((2lx-1)!! (2ly-1)!! (2lz-1)!!).
inline double cartesianNorm(double a, int lx, int ly, int lz) {
    const double pi = 3.14159265358979323846;
    auto dfact = [](int n) { return n == 2 ? 3.0 : 1.0; };
    return std::pow(2.0 * a / pi, 0.75) * std::pow(4.0 * a, (lx + ly + lz) / 2.0) /
           std::sqrt(dfact(lx) * dfact(ly) * dfact(lz));
}

// The largest value of the direct evaluation over a sample of the grid
// points, and the largest difference from the program's grid there.
struct GridComparison {
    double largest = 0.0;
    double worst = 0.0;
};
inline GridComparison compareGrid(const MolecularOrbital& mo, const ReferenceFunction& f) {
    GridComparison out;
    for (int k = 1; k < kGridSize; k += 4)
        for (int j = 0; j < kGridSize; j += 3)
            for (int i = 2; i < kGridSize; i += 5) {
                const double want = value(f, {mo.gridOrigin[0] + i * double(mo.gridStep[0]),
                                              mo.gridOrigin[1] + j * double(mo.gridStep[1]),
                                              mo.gridOrigin[2] + k * double(mo.gridStep[2])});
                out.largest = std::max(out.largest, std::abs(want));
                out.worst = std::max(out.worst, std::abs(want - mo.at(i, j, k)));
            }
    return out;
}

} // namespace kalviro::test
