#include "orbital/ShellBasis.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace kalviro {

namespace {

constexpr double kNegligible = 1e-10;
constexpr int kMaxL = 5;

double doubleFactorial(int n) { // (-1)!! = 1
    double r = 1.0;
    for (; n > 1; n -= 2)
        r *= n;
    return r;
}

double factorial(int n) {
    return n <= 1 ? 1.0 : n * factorial(n - 1);
}

double binomial(int n, int k) {
    if (k < 0 || k > n)
        return 0.0;
    return factorial(n) / (factorial(k) * factorial(n - k));
}

const std::vector<CartesianPowers>& powersTable(int l, CartesianOrder order);

// Position of powers within the canonical (Checkpoint) order of its l.
int monomialIndex(const CartesianPowers& p) {
    const auto& all = powersTable(p[0] + p[1] + p[2], CartesianOrder::Checkpoint);
    return static_cast<int>(std::find(all.begin(), all.end(), p) - all.begin());
}

// Angular integral of two monomials of the same degree l, over 4 pi / (2l+1)!!.
double angularProduct(const CartesianPowers& a, const CartesianPowers& b) {
    double r = 1.0;
    for (int i = 0; i < 3; ++i) {
        const int n = a[i] + b[i];
        if (n % 2)
            return 0.0;
        r *= doubleFactorial(n - 1);
    }
    return r;
}

// Real solid harmonic r^l Y_lm as monomial weights (canonical order), up to
// a positive factor: Pi_l^|m|(z, r^2) times Re (m >= 0) or Im (m < 0) of
// (x + iy)^|m|.
std::vector<double> solidHarmonic(int l, int m) {
    const auto& monomials = powersTable(l, CartesianOrder::Checkpoint);
    std::vector<double> w(monomials.size(), 0.0);
    const int am = std::abs(m);
    for (int k = 0; 2 * k <= l - am; ++k) {
        const double pk = ((k % 2) ? -1.0 : 1.0) * binomial(l, k) * binomial(2 * l - 2 * k, l) *
                          factorial(l - 2 * k) / factorial(l - 2 * k - am);
        const int zPower = l - 2 * k - am;
        for (int j = (m >= 0 ? 0 : 1); j <= am; j += 2) {
            const double sign = ((j / 2) % 2) ? -1.0 : 1.0;
            const double pj = sign * binomial(am, j);
            // r^2k = sum over p + q + s = k of k!/(p! q! s!) x^2p y^2q z^2s
            for (int p = 0; p <= k; ++p)
                for (int q = 0; p + q <= k; ++q) {
                    const int s = k - p - q;
                    const double pr = factorial(k) / (factorial(p) * factorial(q) * factorial(s));
                    const CartesianPowers powers{am - j + 2 * p, j + 2 * q, zPower + 2 * s};
                    w[monomialIndex(powers)] += pk * pj * pr;
                }
        }
    }
    return w;
}

// Rows of monomial weights for the functions of one shell, relative to a
// radial part normalised for x^l.
std::vector<double> shellWeights(int l, bool pure, CartesianOrder order) {
    const auto& monomials = powersTable(l, CartesianOrder::Checkpoint);
    const std::size_t n = monomials.size();
    const double xl = doubleFactorial(2 * l - 1);
    std::vector<double> rows;
    if (!pure) {
        for (const auto& p : powersTable(l, order)) {
            std::vector<double> row(n, 0.0);
            row[monomialIndex(p)] = std::sqrt(xl / angularProduct(p, p));
            rows.insert(rows.end(), row.begin(), row.end());
        }
        return rows;
    }
    for (int i = 0; i <= 2 * l; ++i) {
        const int m = (i == 0) ? 0 : ((i % 2) ? (i + 1) / 2 : -(i / 2));
        std::vector<double> row = solidHarmonic(l, m);
        double norm = 0.0;
        for (std::size_t a = 0; a < n; ++a)
            for (std::size_t b = 0; b < n; ++b)
                norm += row[a] * row[b] * angularProduct(monomials[a], monomials[b]);
        const double scale = std::sqrt(xl / norm);
        for (double& v : row)
            v *= scale;
        rows.insert(rows.end(), row.begin(), row.end());
    }
    return rows;
}

// Monomial values at d (canonical order of l).
void monomialValues(int l, const Point3& d, double* out) {
    double px[kMaxL + 1], py[kMaxL + 1], pz[kMaxL + 1];
    px[0] = py[0] = pz[0] = 1.0;
    for (int i = 1; i <= l; ++i) {
        px[i] = px[i - 1] * d[0];
        py[i] = py[i - 1] * d[1];
        pz[i] = pz[i - 1] * d[2];
    }
    int k = 0;
    for (const auto& p : powersTable(l, CartesianOrder::Checkpoint))
        out[k++] = px[p[0]] * py[p[1]] * pz[p[2]];
}

double radial(const std::vector<double>& exponents, const std::vector<double>& coefficients,
              double r2) {
    double r = 0.0;
    for (std::size_t k = 0; k < exponents.size(); ++k)
        r += coefficients[k] * std::exp(-exponents[k] * r2);
    return r;
}

const std::vector<CartesianPowers>& powersTable(int l, CartesianOrder order) {
    static const std::vector<CartesianPowers> tables[kMaxL + 1] = {
        {{0, 0, 0}},
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}},
        {{3, 0, 0},
         {0, 3, 0},
         {0, 0, 3},
         {1, 2, 0},
         {2, 1, 0},
         {2, 0, 1},
         {1, 0, 2},
         {0, 1, 2},
         {0, 2, 1},
         {1, 1, 1}},
        {},
        {}};
    static const std::vector<CartesianPowers> moldenG = {
        {4, 0, 0}, {0, 4, 0}, {0, 0, 4}, {3, 1, 0}, {3, 0, 1}, {1, 3, 0}, {0, 3, 1}, {1, 0, 3},
        {0, 1, 3}, {2, 2, 0}, {2, 0, 2}, {0, 2, 2}, {2, 1, 1}, {1, 2, 1}, {1, 1, 2}};
    static const auto highOrders = [] {
        std::array<std::vector<CartesianPowers>, 2> t;
        for (int l = 4; l <= kMaxL; ++l)
            for (int a = 0; a <= l; ++a)
                for (int b = 0; a + b <= l; ++b)
                    t[l - 4].push_back({a, b, l - a - b});
        return t;
    }();
    if (l < 0 || l > kMaxL)
        throw std::out_of_range("angular momentum");
    if (l == 4 && order == CartesianOrder::Molden)
        return moldenG;
    return l >= 4 ? highOrders[l - 4] : tables[l];
}

// Overlaps of x^i e^{-a (x-A)^2} and x^j e^{-b (x-B)^2} for i <= li, j <= lj
// by the Obara-Saika recurrence; s is (kMaxL + 1) squared.
void overlap1d(int li, int lj, double a, double b, double A, double B, double* s) {
    const double p = a + b;
    const double pa = (a * A + b * B) / p - A, pb = (a * A + b * B) / p - B;
    const int w = kMaxL + 1;
    s[0] = std::sqrt(std::numbers::pi / p) * std::exp(-a * b / p * (A - B) * (A - B));
    for (int i = 0; i <= li; ++i)
        for (int j = 0; j <= lj; ++j) {
            if (i == 0 && j == 0)
                continue;
            double v;
            if (i > 0) {
                v = pa * s[(i - 1) * w + j];
                if (i > 1)
                    v += (i - 1) / (2 * p) * s[(i - 2) * w + j];
                if (j > 0)
                    v += j / (2 * p) * s[(i - 1) * w + j - 1];
            } else {
                v = pb * s[j - 1];
                if (j > 1)
                    v += (j - 1) / (2 * p) * s[j - 2];
            }
            s[i * w + j] = v;
        }
}

} // namespace

std::vector<CartesianPowers> cartesianPowers(int l, CartesianOrder order) {
    return powersTable(l, order);
}

void ShellBasis::addShell(const Point3& centre, int atom, int l, bool pure,
                          std::vector<double> exponents, const std::vector<double>& coefficients,
                          CartesianOrder order) {
    if (l < 0 || l > kMaxL || exponents.empty() || exponents.size() != coefficients.size())
        throw std::invalid_argument("shell");
    Shell s;
    s.centre = centre;
    s.atom = atom;
    s.l = l;
    s.pure = pure && l >= 2;
    s.exponents = std::move(exponents);
    // Primitive normalisation of x^l: (2a/pi)^3/4 (4a)^l/2 / sqrt((2l-1)!!).
    const double xl = doubleFactorial(2 * l - 1);
    for (std::size_t k = 0; k < s.exponents.size(); ++k) {
        const double a = s.exponents[k];
        s.coefficients.push_back(coefficients[k] * std::pow(2.0 * a / std::numbers::pi, 0.75) *
                                 std::pow(4.0 * a, 0.5 * l) / std::sqrt(xl));
    }
    // The contraction again to unit norm: overlap of primitives a, b of x^l.
    double norm = 0.0;
    for (std::size_t i = 0; i < s.exponents.size(); ++i)
        for (std::size_t j = 0; j < s.exponents.size(); ++j) {
            const double a = s.exponents[i], b = s.exponents[j];
            norm += s.coefficients[i] * s.coefficients[j] * xl *
                    std::pow(std::numbers::pi / (a + b), 1.5) / std::pow(2.0 * (a + b), l);
        }
    // Beyond the cutoff every |c| r^l exp(-a r^2) is below kNegligible: with
    // r^l, so that diffuse p to h shells are not cut while still above it.
    double cutoff = 0.0;
    for (double& c : s.coefficients) {
        c /= std::sqrt(norm);
        const double a = s.exponents[static_cast<std::size_t>(&c - s.coefficients.data())];
        const double logRatio = std::log(std::abs(c) / kNegligible);
        const double peak = 0.5 * l / a; // r^2 of the term's largest value
        if (logRatio + (peak > 0.0 ? 0.5 * l * (std::log(peak) - 1.0) : 0.0) < 0.0)
            continue; // below kNegligible everywhere
        double r2 = std::max(peak, logRatio / a);
        for (int n = 0; n < 50 && l > 0; ++n) // converges from above the peak
            r2 = (logRatio + 0.5 * l * std::log(r2)) / a;
        cutoff = std::max(cutoff, r2);
    }
    if (!s.pure)
        s.powers = cartesianPowers(l, order);
    weights_.push_back(shellWeights(l, s.pure, order));
    cutoffs_.push_back(cutoff);
    functionCount_ += s.functionCount();
    shells_.push_back(std::move(s));
}

void ShellBasis::evaluate(const Point3& p, std::vector<double>& out) const {
    out.assign(functionCount_, 0.0);
    double monomials[21];
    int first = 0;
    for (std::size_t i = 0; i < shells_.size(); ++i) {
        const Shell& s = shells_[i];
        const int count = s.functionCount();
        const Point3 d{p[0] - s.centre[0], p[1] - s.centre[1], p[2] - s.centre[2]};
        const double r2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
        if (r2 <= cutoffs_[i]) {
            const double r = radial(s.exponents, s.coefficients, r2);
            monomialValues(s.l, d, monomials);
            const std::size_t n = (s.l + 1) * (s.l + 2) / 2;
            const double* w = weights_[i].data();
            for (int f = 0; f < count; ++f, w += n) {
                double v = 0.0;
                for (std::size_t k = 0; k < n; ++k)
                    v += w[k] * monomials[k];
                out[first + f] = r * v;
            }
        }
        first += count;
    }
}

double ShellBasis::evaluateOrbital(const std::vector<double>& c, const Point3& p) const {
    std::vector<double> values;
    evaluate(p, values);
    double sum = 0.0;
    for (std::size_t i = 0; i < values.size() && i < c.size(); ++i)
        sum += c[i] * values[i];
    return sum;
}

std::vector<double> ShellBasis::overlapMatrix() const {
    const std::size_t n = static_cast<std::size_t>(functionCount_);
    std::vector<double> out(n * n, 0.0);
    const int w = kMaxL + 1;
    double sx[w * w], sy[w * w], sz[w * w];
    std::vector<double> monomials, half;
    std::size_t firstA = 0;
    for (std::size_t i = 0; i < shells_.size(); ++i) {
        const Shell& A = shells_[i];
        const auto& powersA = powersTable(A.l, CartesianOrder::Checkpoint);
        std::size_t firstB = 0;
        for (std::size_t j = 0; j <= i; ++j) {
            const Shell& B = shells_[j];
            const auto& powersB = powersTable(B.l, CartesianOrder::Checkpoint);
            // Monomial overlaps of the contracted radial parts.
            monomials.assign(powersA.size() * powersB.size(), 0.0);
            for (std::size_t ka = 0; ka < A.exponents.size(); ++ka)
                for (std::size_t kb = 0; kb < B.exponents.size(); ++kb) {
                    const double a = A.exponents[ka], b = B.exponents[kb];
                    overlap1d(A.l, B.l, a, b, A.centre[0], B.centre[0], sx);
                    overlap1d(A.l, B.l, a, b, A.centre[1], B.centre[1], sy);
                    overlap1d(A.l, B.l, a, b, A.centre[2], B.centre[2], sz);
                    const double c = A.coefficients[ka] * B.coefficients[kb];
                    for (std::size_t u = 0; u < powersA.size(); ++u)
                        for (std::size_t v = 0; v < powersB.size(); ++v) {
                            const auto& pa = powersA[u];
                            const auto& pb = powersB[v];
                            monomials[u * powersB.size() + v] += c * sx[pa[0] * w + pb[0]] *
                                                                 sy[pa[1] * w + pb[1]] *
                                                                 sz[pa[2] * w + pb[2]];
                        }
                }
            // Functions: W_A M W_B^T.
            const auto& wa = weights_[i];
            const auto& wb = weights_[j];
            const std::size_t na = powersA.size(), nb = powersB.size();
            half.assign(A.functionCount() * nb, 0.0);
            for (int f = 0; f < A.functionCount(); ++f)
                for (std::size_t u = 0; u < na; ++u)
                    if (wa[f * na + u] != 0.0)
                        for (std::size_t v = 0; v < nb; ++v)
                            half[f * nb + v] += wa[f * na + u] * monomials[u * nb + v];
            for (int f = 0; f < A.functionCount(); ++f)
                for (int g = 0; g < B.functionCount(); ++g) {
                    double sum = 0.0;
                    for (std::size_t v = 0; v < nb; ++v)
                        sum += half[f * nb + v] * wb[g * nb + v];
                    out[(firstA + f) * n + firstB + g] = sum;
                    out[(firstB + g) * n + firstA + f] = sum;
                }
            firstB += B.functionCount();
        }
        firstA += A.functionCount();
    }
    return out;
}

OrbitalEvaluator::OrbitalEvaluator(const ShellBasis& basis, const std::vector<double>& c) {
    std::size_t first = 0;
    for (std::size_t i = 0; i < basis.shells().size(); ++i) {
        const Shell& s = basis.shells()[i];
        const std::size_t n = (s.l + 1) * (s.l + 2) / 2;
        const std::vector<double>& rows = basis.monomialWeights(i);
        Term t{s.centre,
               s.l,
               basis.cutoffSquared(i),
               s.exponents,
               s.coefficients,
               std::vector<double>(n, 0.0)};
        bool any = false;
        for (int f = 0; f < s.functionCount(); ++f) {
            const double cf = first + f < c.size() ? c[first + f] : 0.0;
            if (cf == 0.0)
                continue;
            any = true;
            for (std::size_t k = 0; k < n; ++k)
                t.weights[k] += cf * rows[f * n + k];
        }
        first += s.functionCount();
        if (any)
            terms_.push_back(std::move(t));
    }
}

double OrbitalEvaluator::operator()(const Point3& p) const {
    double sum = 0.0;
    double monomials[21];
    for (const Term& t : terms_) {
        const Point3 d{p[0] - t.centre[0], p[1] - t.centre[1], p[2] - t.centre[2]};
        const double r2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
        if (r2 > t.cutoffSquared)
            continue;
        double angular;
        if (t.l == 0) {
            angular = t.weights[0];
        } else {
            monomialValues(t.l, d, monomials);
            angular = 0.0;
            for (std::size_t k = 0; k < t.weights.size(); ++k)
                angular += t.weights[k] * monomials[k];
        }
        sum += angular * radial(t.exponents, t.coefficients, r2);
    }
    return sum;
}

ReadResult<ShellBasis> basisFromCheckpoint(const CheckpointSections& file) {
    const auto& types = file.values("Shell types");
    const auto& primitiveCounts = file.values("Number of primitives per shell");
    const auto& atoms = file.values("Shell to atom map");
    const auto& exponents = file.values("Primitive exponents");
    const auto& coefficients = file.values("Contraction coefficients");
    const auto& spCoefficients = file.values("P(S=P) Contraction coefficients");
    const auto& centres = file.values("Coordinates of each shell");
    if (types.empty() || exponents.empty())
        return ReadResult<ShellBasis>::failure(msg::kBasisNoShells);
    const std::size_t shellCount = types.size();
    if (primitiveCounts.size() != shellCount)
        return ReadResult<ShellBasis>::failure(std::string(msg::kBasisCountMismatch) +
                                               "Number of primitives per shell");
    if (centres.size() != 3 * shellCount)
        return ReadResult<ShellBasis>::failure(std::string(msg::kBasisCountMismatch) +
                                               "Coordinates of each shell");
    if (!atoms.empty() && atoms.size() != shellCount)
        return ReadResult<ShellBasis>::failure(std::string(msg::kBasisCountMismatch) + "Shell to atom map");
    if (coefficients.size() != exponents.size())
        return ReadResult<ShellBasis>::failure(std::string(msg::kBasisCountMismatch) +
                                               "Contraction coefficients");
    const bool anySp = std::find(types.begin(), types.end(), -1.0) != types.end();
    if (anySp && spCoefficients.size() != exponents.size())
        return ReadResult<ShellBasis>::failure(std::string(msg::kBasisCountMismatch) +
                                               "P(S=P) Contraction coefficients");

    ShellBasis basis;
    std::size_t next = 0;
    for (std::size_t i = 0; i < shellCount; ++i) {
        const double type = types[i];
        if (type != std::floor(type) || type < -kMaxL || type > kMaxL)
            return ReadResult<ShellBasis>::failure(std::string(msg::kBasisUnknownShellType) +
                                                   std::to_string(type));
        const double count = primitiveCounts[i];
        if (count < 1 || count != std::floor(count) || next + count > exponents.size())
            return ReadResult<ShellBasis>::failure(msg::kBasisBadPrimitiveCount);
        for (std::size_t k = next; k < next + count; ++k)
            if (!(exponents[k] > 0.0) || !std::isfinite(exponents[k]))
                return ReadResult<ShellBasis>::failure(msg::kBasisBadExponent);
        const auto begin = static_cast<std::ptrdiff_t>(next);
        const auto end = static_cast<std::ptrdiff_t>(next + count);
        std::vector<double> e(exponents.begin() + begin, exponents.begin() + end);
        std::vector<double> c(coefficients.begin() + begin, coefficients.begin() + end);
        const Point3 centre{centres[3 * i], centres[3 * i + 1], centres[3 * i + 2]};
        const bool atomKnown = !atoms.empty() && atoms[i] >= 1 && atoms[i] <= 1e6;
        const int atom = atomKnown ? static_cast<int>(atoms[i]) - 1 : -1;
        const int t = static_cast<int>(type);
        if (t == -1) {
            std::vector<double> cp(spCoefficients.begin() + begin, spCoefficients.begin() + end);
            basis.addShell(centre, atom, 0, false, e, c);
            basis.addShell(centre, atom, 1, false, std::move(e), cp);
        } else {
            basis.addShell(centre, atom, std::abs(t), t < 0, std::move(e), c);
        }
        next += static_cast<std::size_t>(count);
    }
    if (next != exponents.size())
        return ReadResult<ShellBasis>::failure(std::string(msg::kBasisCountMismatch) + "Primitive exponents");
    return basis;
}

} // namespace kalviro
