#include "orbital/MolecularOrbital.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "model/LineTokens.h"
#include "model/ProgramError.h"
#include "orbital/BasisTables.h"
#include "orbital/ContourStore.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

// (2/pi)^(3/4) a^(l/2 + 3/4) 2^l / sqrt((2l-1)!!) for the axial function of
// each shell. Checkpoint files give coefficients of functions normalised one
// by one, so a mixed d function (xy, xz, yz; no (2l-1)!! = 3 to divide by)
// takes sqrt(3) times the xx factor: with the xx factor for all six the
// orbitals of a 6D file come out short of unit norm.
constexpr double kSNorm = 0.71270547;
constexpr double kPNorm = 1.42541094;
constexpr double kDNorm = 1.64592278;
constexpr double kMixedDScale = 1.7320508075688772;

constexpr int kPPowers[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
// xx, yy, zz, xy, xz, yz: the order of the coefficients in the file.
constexpr int kDPowers[6][3] = {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}};

struct Primitive {
    double exponent;
    double coefficient; // contraction coefficient times normalisation
};

// Walks the basis functions in the file's order, taking one coefficient per
// function, and adds the contributions of every function with a coefficient.
class FunctionWalker {
  public:
    explicit FunctionWalker(MolecularOrbital& mo) : mo_(mo) {}

    void shell(const std::array<float, 3>& centre, const std::vector<Primitive>& primitives,
               const int (*powers)[3], int functions, const double* scales = nullptr) {
        for (int f = 0; f < functions; ++f) {
            const double c = next() * (scales ? scales[f] : 1.0);
            if (c == 0.0)
                continue;
            for (const Primitive& p : primitives)
                addPrimitive(mo_, centre, static_cast<float>(p.exponent),
                             static_cast<float>(c * p.coefficient), powers[f][0], powers[f][1],
                             powers[f][2]);
        }
    }
    void s(const std::array<float, 3>& centre, const std::vector<Primitive>& primitives) {
        static constexpr int none[1][3] = {{0, 0, 0}};
        shell(centre, primitives, none, 1);
    }
    void p(const std::array<float, 3>& centre, const std::vector<Primitive>& primitives) {
        shell(centre, primitives, kPPowers, 3);
    }
    void d(const std::array<float, 3>& centre, const std::vector<Primitive>& primitives) {
        static constexpr double scales[6] = {1.0,          1.0,          1.0,
                                             kMixedDScale, kMixedDScale, kMixedDScale};
        shell(centre, primitives, kDPowers, 6, scales);
    }
    void skip(int functions) { index_ += static_cast<std::size_t>(functions); }

  private:
    double next() {
        const std::size_t i = index_++;
        return i < mo_.coefficients.size() ? mo_.coefficients[i] : 0.0;
    }
    MolecularOrbital& mo_;
    std::size_t index_ = 0;
};

std::vector<Primitive> sto3gShell(int shell, double zeta, bool pFunctions) {
    std::vector<Primitive> out;
    for (int k = 0; k < 3; ++k) {
        const double alpha = kSto3gAlpha[shell][k];
        const double factor = pFunctions ? kPNorm * std::pow(zeta, 2.5) * std::pow(alpha, 1.25)
                                         : kSNorm * std::pow(zeta, 1.5) * std::pow(alpha, 0.75);
        const double d = pFunctions ? kSto3gPCoefficient[shell][k] : kSto3gSCoefficient[shell][k];
        out.push_back({alpha * zeta * zeta, d * factor});
    }
    return out;
}

double sFactor(double a) {
    return kSNorm * std::pow(a, 0.75);
}
double pFactor(double a) {
    return kPNorm * std::pow(a, 1.25);
}
double dFactor(double a) {
    return kDNorm * std::pow(a, 1.75);
}

// Rows first..last (0-based) of the 6-31G tables for element column.
std::vector<Primitive> rows631g(int column, int first, int last, const double (*coefficients)[18],
                                int coefficientFirst, double (*factor)(double)) {
    std::vector<Primitive> out;
    for (int r = first; r <= last; ++r) {
        const double a = k631gExponents[r][column];
        out.push_back({a, coefficients[coefficientFirst + r - first][column] * factor(a)});
    }
    return out;
}

std::vector<Primitive> single(double a, double (*factor)(double)) {
    if (a == 0.0)
        return {}; // the set has no such function; it keeps its place
    return {{a, factor(a)}};
}

struct SixThirtyOneOptions {
    bool lightDiffuse;
    bool lightPolarization;
    bool heavyDiffuse;
    bool heavyPolarization;
};

SixThirtyOneOptions optionsOf(std::string_view upperName) {
    return {contains(upperName, "++"),
            contains(upperName, "**") || contains(upperName, "P"),
            contains(upperName, "+"),
            contains(upperName, "*") || contains(upperName, "D")};
}

// row += s * table, four values at a time; the compiler does not vectorise a
// loop of 51 at the default optimisation level on its own.
void addScaledRow(float* __restrict row, const float* __restrict table, float s) {
    using Quad = float __attribute__((vector_size(16)));
    const Quad scale = {s, s, s, s};
    int i = 0;
    for (; i + 4 <= kGridSize; i += 4) {
        Quad r;
        Quad t;
        std::memcpy(&r, row + i, sizeof r);
        std::memcpy(&t, table + i, sizeof t);
        r += scale * t;
        std::memcpy(row + i, &r, sizeof r);
    }
    for (; i < kGridSize; ++i)
        row[i] += s * table[i];
}

} // namespace

std::string upperCaseName(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

BasisFamily basisFamilyOf(std::string_view upperName) {
    if (contains(upperName, "STO-3G"))
        return BasisFamily::Sto3g;
    if (contains(upperName, "3-21") || contains(upperName, "6-311"))
        return BasisFamily::NoTable;
    if (contains(upperName, "6-31"))
        return BasisFamily::SixThirtyOne;
    if (contains(upperName, "SEMI"))
        return BasisFamily::NoTable;
    return BasisFamily::Unknown;
}

int builtInFunctionCount(BasisFamily family, std::string_view upperName, int z) {
    if (z < 1 || z > kBuiltInElements)
        return -1;
    if (family == BasisFamily::Sto3g)
        return z <= 2 ? 1 : z <= 10 ? 5 : 9;
    if (family != BasisFamily::SixThirtyOne)
        return -1;
    const SixThirtyOneOptions o = optionsOf(upperName);
    if (z <= 2)
        return 2 + (o.lightDiffuse ? 1 : 0) + (o.lightPolarization ? 3 : 0);
    return (z <= 10 ? 9 : 13) + (o.heavyDiffuse ? 4 : 0) + (o.heavyPolarization ? 6 : 0);
}

void addPrimitive(MolecularOrbital& mo, const std::array<float, 3>& centre, float exponent,
                  float prefactor, int lx, int ly, int lz) {
    // Three tables of 51 values; the grid loop is then a product of three
    // table entries, with no exponential inside it.
    alignas(32) float table[3][kGridSize];
    const int powers[3] = {lx, ly, lz};
    for (int axis = 0; axis < 3; ++axis) {
        float coordinate = mo.gridOrigin[axis];
        for (int n = 0; n < kGridSize; ++n) {
            const float offset = coordinate - centre[axis];
            float value = std::exp(-exponent * offset * offset);
            for (int p = 0; p < powers[axis]; ++p)
                value *= offset;
            table[axis][n] = value;
            coordinate += mo.gridStep[axis];
        }
    }
    for (float& v : table[0])
        v *= prefactor;

    const float* __restrict ex = table[0];
    float* __restrict out = mo.grid.data();
    for (int k = 0; k < kGridSize; ++k) {
        const float ez = table[2][k];
        if (ez == 0.0f)
            continue; // underflowed: the whole plane adds nothing
        for (int j = 0; j < kGridSize; ++j) {
            const float s = ez * table[1][j];
            if (s == 0.0f)
                continue;
            addScaledRow(out + (k * kGridSize + j) * kGridSize, ex, s);
        }
    }
}

void placeGrid(MolecularOrbital& mo) {
    mo.rangeMode = "AUTO";
    mo.orbitalBlock = 1;
    mo.margin = 1.4f;

    std::array<float, 3> lowest{0.0f, 0.0f, 0.0f};
    std::array<float, 3> highest{0.0f, 0.0f, 0.0f};
    if (!mo.atomPositions.empty()) {
        lowest = highest = mo.atomPositions.front();
        for (const auto& p : mo.atomPositions)
            for (int a = 0; a < 3; ++a) {
                lowest[a] = std::min(lowest[a], p[a]);
                highest[a] = std::max(highest[a], p[a]);
            }
    }
    for (auto& p : mo.atomPositions)
        for (float& c : p)
            c = static_cast<float>(c * kAngstromInBohr);
    for (int a = 0; a < 3; ++a) {
        mo.boxMax[a] = highest[a] + mo.margin * 1.3f;
        mo.boxMin[a] = lowest[a] - mo.margin * 1.3f;
        mo.gridOrigin[a] = static_cast<float>(mo.boxMin[a] * kAngstromInBohr);
        mo.gridStep[a] = (mo.boxMax[a] - mo.boxMin[a]) * 0.037795253f;
    }

    mo.grid.assign(kGridValues, 0.0f);
}

std::string selectBasisSet(MolecularOrbital& mo) {
    placeGrid(mo);
    mo.basisName = upperCaseName(mo.basisName);
    switch (basisFamilyOf(mo.basisName)) {
    case BasisFamily::Sto3g:
        evaluateSto3g(mo);
        break;
    case BasisFamily::SixThirtyOne:
        evaluate631g(mo);
        break;
    case BasisFamily::NoTable:
        break;
    case BasisFamily::Unknown:
        return msg::withDetail(mo.basisName, msg::kUnsupportedBasis);
    }
    return {};
}

void evaluateSto3g(MolecularOrbital& mo) {
    for (std::int32_t z : mo.atomicNumbers)
        if (z > kBuiltInElements)
            throw ProgramError(msg::kElementBeyondBasis);
    FunctionWalker walk(mo);
    const std::size_t atoms = std::min(mo.atomicNumbers.size(), mo.atomPositions.size());
    for (std::size_t n = 0; n < atoms; ++n) {
        const int z = mo.atomicNumbers[n];
        if (z < 1)
            continue; // no functions on a ghost centre
        const auto& centre = mo.atomPositions[n];
        const double* zeta = kSto3gZeta[z - 1];
        const int shells = z <= 2 ? 1 : z <= 10 ? 2 : 3;
        for (int shell = 0; shell < shells; ++shell) {
            walk.s(centre, sto3gShell(shell, zeta[shell], false));
            if (shell > 0)
                walk.p(centre, sto3gShell(shell, zeta[shell], true));
        }
    }
}

void evaluate631g(MolecularOrbital& mo) {
    const SixThirtyOneOptions o = optionsOf(mo.basisName);
    FunctionWalker walk(mo);
    const std::size_t atoms = std::min(mo.atomicNumbers.size(), mo.atomPositions.size());
    for (std::size_t n = 0; n < atoms; ++n) {
        const int z = mo.atomicNumbers[n];
        const auto& centre = mo.atomPositions[n];
        if (z < 1)
            continue;
        if (z > kBuiltInElements) {
            // No table: pass over the functions of a third-row-like atom so
            // that the atoms after it keep their coefficients.
            walk.skip(13 + (o.heavyDiffuse ? 4 : 0) + (o.heavyPolarization ? 6 : 0));
            continue;
        }
        const int c = z - 1;
        if (z <= 2) {
            walk.s(centre, rows631g(c, 0, 2, k631gSCoefficients, 0, sFactor));
            walk.s(centre, rows631g(c, 3, 3, k631gSCoefficients, 3, sFactor));
            if (o.lightDiffuse)
                walk.s(centre, single(k631gDiffuse[c], sFactor));
            if (o.lightPolarization)
                walk.p(centre, single(k631gPolarization[c], pFactor));
            continue;
        }
        if (z <= 10) {
            walk.s(centre, rows631g(c, 0, 5, k631gSCoefficients, 0, sFactor));
            walk.s(centre, rows631g(c, 6, 8, k631gSCoefficients, 6, sFactor));
            walk.p(centre, rows631g(c, 6, 8, k631gPCoefficients, 0, pFactor));
            walk.s(centre, rows631g(c, 9, 9, k631gSCoefficients, 9, sFactor));
            walk.p(centre, rows631g(c, 9, 9, k631gPCoefficients, 3, pFactor));
        } else {
            walk.s(centre, rows631g(c, 0, 5, k631gSCoefficients, 0, sFactor));
            walk.s(centre, rows631g(c, 6, 11, k631gSCoefficients, 6, sFactor));
            walk.p(centre, rows631g(c, 6, 11, k631gPCoefficients, 0, pFactor));
            walk.s(centre, rows631g(c, 12, 14, k631gSCoefficients, 12, sFactor));
            walk.p(centre, rows631g(c, 12, 14, k631gPCoefficients, 6, pFactor));
            walk.s(centre, rows631g(c, 15, 15, k631gSCoefficients, 15, sFactor));
            walk.p(centre, rows631g(c, 15, 15, k631gPCoefficients, 9, pFactor));
        }
        if (o.heavyDiffuse) {
            walk.s(centre, single(k631gDiffuse[c], sFactor));
            walk.p(centre, single(k631gDiffuse[c], pFactor));
        }
        if (o.heavyPolarization)
            walk.d(centre, single(k631gPolarization[c], dFactor));
    }
}

} // namespace kalviro
