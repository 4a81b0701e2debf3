#pragma once
// Contracted Gaussian basis functions as a file lists them (s to h, pure or
// Cartesian), normalised so that every function has unit norm, and their
// values at a point.
//
// Conventions: primitives are normalised on their own and the contraction
// is normalised again; every Cartesian function is normalised on its own
// (xx and xy differ by sqrt 3). Pure functions are real solid harmonics in
// the order m = 0, +1, -1, +2, -2, ..., each with a positive leading
// coefficient (d+1 ~ xz, d-1 ~ yz, d+2 ~ x2-y2, d-2 ~ xy).

#include <array>
#include <vector>

#include "model/readers/CheckpointSections.h"
#include "model/readers/ReadResult.h"

namespace kalviro {

using Point3 = std::array<double, 3>;
using CartesianPowers = std::array<int, 3>; // powers of x, y, z

// The order a file lists the Cartesian functions of one shell in.
enum class CartesianOrder {
    // d: xx yy zz xy xz yz; f: xxx yyy zzz xyy xxy xxz xzz yzz yyz xyz;
    // g, h: zzzz yzzz yyzz ... xxxx (x power rising slowest, then y).
    Checkpoint,
    // As Checkpoint up to f; g: xxxx yyyy zzzz xxxy xxxz yyyx yyyz zzzx
    // zzzy xxyy xxzz yyzz xxyz yyxz zzxy; h as Checkpoint.
    Molden,
};

// The Cartesian functions of angular momentum l (0 to 5) in a file's order.
std::vector<CartesianPowers> cartesianPowers(int l, CartesianOrder order);

struct Shell {
    Point3 centre{}; // bohr
    int atom = -1;   // zero-based atom the shell sits on; -1 when not known
    int l = 0;
    bool pure = false;
    std::vector<double> exponents;
    // Contraction coefficients times the primitive normalisation of x^l,
    // scaled so that the contracted x^l function has unit norm.
    std::vector<double> coefficients;
    std::vector<CartesianPowers> powers; // Cartesian shells: each function's powers

    int functionCount() const { return pure ? 2 * l + 1 : (l + 1) * (l + 2) / 2; }
};

class ShellBasis {
  public:
    // Adds one shell. coefficients are the file's, for normalised primitives.
    // l must be 0 to 5 and both lists equally long and not empty.
    void addShell(const Point3& centre, int atom, int l, bool pure, std::vector<double> exponents,
                  const std::vector<double>& coefficients,
                  CartesianOrder order = CartesianOrder::Checkpoint);

    const std::vector<Shell>& shells() const { return shells_; }
    int functionCount() const { return functionCount_; }

    // Every basis function at p (bohr), in the file's order; out is resized.
    // Shells whose largest primitive term (with its r^l) is below 1e-10 at p
    // give zeros.
    void evaluate(const Point3& p, std::vector<double>& out) const;
    // One orbital, sum of c[mu] phi_mu(p); c holds functionCount() values.
    double evaluateOrbital(const std::vector<double>& c, const Point3& p) const;

    // Overlap matrix of the basis functions (functionCount() squared, row
    // major), analytic.
    std::vector<double> overlapMatrix() const;

    // For each shell, the weights of its monomials (in cartesianPowers(l,
    // Checkpoint) order) that make up its functions: row = function.
    const std::vector<double>& monomialWeights(std::size_t shell) const { return weights_[shell]; }
    // Squared distance beyond which every primitive term of a shell, times
    // r^l, is below 1e-10.
    double cutoffSquared(std::size_t shell) const { return cutoffs_[shell]; }

  private:
    std::vector<Shell> shells_;
    std::vector<std::vector<double>> weights_;
    std::vector<double> cutoffs_;
    int functionCount_ = 0;
};

// Evaluates one orbital fast: the coefficients folded into the monomial
// weights of every shell once.
class OrbitalEvaluator {
  public:
    OrbitalEvaluator(const ShellBasis& basis, const std::vector<double>& coefficients);
    double operator()(const Point3& p) const;

  private:
    struct Term {
        Point3 centre;
        int l;
        double cutoffSquared;
        std::vector<double> exponents;
        std::vector<double> coefficients;
        std::vector<double> weights; // one per monomial
    };
    std::vector<Term> terms_;
};

// The basis of a formatted checkpoint file ("Shell types", "Number of
// primitives per shell", "Shell to atom map", "Primitive exponents",
// "Contraction coefficients", "P(S=P) Contraction coefficients",
// "Coordinates of each shell"). Shell type -1 (sp) gives an s and a p
// shell. A failure names the reason in Japanese.
ReadResult<ShellBasis> basisFromCheckpoint(const CheckpointSections& file);

} // namespace kalviro
