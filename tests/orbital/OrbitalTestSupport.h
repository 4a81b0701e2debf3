#pragma once
// Helpers of the orbital tests: checkpoint text built from parts, a dialog
// that records, and a direct double-precision evaluation of Gaussian
// functions that shares nothing with the program's separable grid.

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "orbital/OrbitalSelection.h"

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
    std::snprintf(buf, sizeof buf, "%-43sI   N=%12d", "Atomic numbers",
                  static_cast<int>(p.atomicNumbers.size()));
    out += buf + e;
    for (std::size_t k = 0; k < p.atomicNumbers.size(); ++k) {
        std::snprintf(buf, sizeof buf, "%12d", p.atomicNumbers[k]);
        out += buf;
        if (k % 6 == 5 || k + 1 == p.atomicNumbers.size())
            out += e;
    }
    std::snprintf(buf, sizeof buf, "%-43sR   N=%12d", "Nuclear charges",
                  static_cast<int>(p.atomicNumbers.size()));
    out += buf + e;
    std::vector<double> charges(p.atomicNumbers.begin(), p.atomicNumbers.end());
    out += realsBlock(charges, e);
    std::snprintf(buf, sizeof buf, "%-43sR   N=%12d", "Current cartesian coordinates",
                  static_cast<int>(p.coordinatesBohr.size()));
    out += buf + e;
    out += realsBlock(p.coordinatesBohr, e);
    std::snprintf(buf, sizeof buf, "%-43sI   N=%12d", "Shell types", 1);
    out += buf + e + "           0" + e;
    std::snprintf(buf, sizeof buf, "%-43sR   N=%12d", "Alpha Orbital Energies", 1);
    out += buf + e + realsBlock({-0.5}, e);
    std::snprintf(buf, sizeof buf, "%-43sR   N=%12d", "Alpha MO coefficients",
                  static_cast<int>(p.coefficients.size()));
    out += buf + e;
    out += realsBlock(p.coefficients, e);
    std::snprintf(buf, sizeof buf, "%-43sR   N=%12d", "Total SCF Density", 3);
    out += buf + e + realsBlock({9.0, 8.0, 7.0}, e);
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

class RecordingOrbitalDialog : public OrbitalFieldsView {
  public:
    OrbitalFields fields;
    std::string typed;
    int shown = 0;
    OrbitalFields& orbitalFields() override { return fields; }
    void showOrbitalFields() override { ++shown; }
    std::string orbitalNumberText() const override { return typed; }
};

// One Cartesian Gaussian: coefficient * x^lx y^ly z^lz exp(-a r^2), in bohr.
struct DirectGaussian {
    double centre[3];
    double exponent;
    double coefficient;
    int lx, ly, lz;
};

inline double directValue(const std::vector<DirectGaussian>& gs, double x, double y, double z) {
    double sum = 0.0;
    for (const DirectGaussian& g : gs) {
        const double dx = x - g.centre[0], dy = y - g.centre[1], dz = z - g.centre[2];
        const double r2 = dx * dx + dy * dy + dz * dz;
        sum += g.coefficient * std::pow(dx, g.lx) * std::pow(dy, g.ly) * std::pow(dz, g.lz) *
               std::exp(-g.exponent * r2);
    }
    return sum;
}

// Normalisation of a primitive of angular momentum l, the axial function's
// factor (x^l): (2a/pi)^(3/4) (4a)^(l/2) / sqrt((2l-1)!!).
inline double axialNorm(double a, int l) {
    const double pi = 3.14159265358979323846;
    const double dfact = l == 2 ? 3.0 : 1.0;
    return std::pow(2.0 * a / pi, 0.75) * std::pow(4.0 * a, l / 2.0) / std::sqrt(dfact);
}

} // namespace kalviro::test
