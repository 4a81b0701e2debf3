#include "model/VibrationalAnalysis.h"

#include <Eigen/Dense>
#include <cmath>
#include <string>

#include "model/Isotopes.h"
#include "model/readers/CheckpointSections.h"
#include "platform/Messages.h"

namespace kalviro {

namespace {

// Texts the user sees.

// CODATA 2018.
constexpr double kHartree = 4.3597447222071e-18;         // J
constexpr double kBohr = 5.29177210903e-11;              // m
constexpr double kAtomicMassUnit = 1.66053906660e-27;    // kg
constexpr double kLightSpeed = 299792458.0;              // m/s
constexpr double kElementaryCharge = 1.602176634e-19;    // C
constexpr double kAvogadro = 6.02214076e23;              // 1/mol
constexpr double kVacuumPermittivity = 8.8541878128e-12; // F/m
constexpr double kPi = 3.14159265358979323846;

// cm^-1 per sqrt(hartree / (bohr^2 amu)): sqrt(Eh / (a0^2 u)) / (2 pi c),
// about 5140.49.
double wavenumberFactor() {
    return std::sqrt(kHartree / (kBohr * kBohr * kAtomicMassUnit)) /
           (2.0 * kPi * kLightSpeed * 100.0);
}

// km/mol per (e / sqrt(amu))^2: N_A e^2 / (12 eps0 c^2 u) / 1000, about
// 974.88 (the dipole derivative in e a0 per a0 sqrt(amu)).
double intensityFactor() {
    return kAvogadro * kElementaryCharge * kElementaryCharge /
           (12.0 * kVacuumPermittivity * kLightSpeed * kLightSpeed * kAtomicMassUnit) / 1000.0;
}

bool allFinite(const std::vector<double>& v) {
    for (double x : v)
        if (!std::isfinite(x))
            return false;
    return true;
}

std::string countText(const char* reason, std::size_t got, std::size_t expected) {
    return std::string(reason) + " (" + std::to_string(got) + " / " + std::to_string(expected) +
           ")";
}

// Orthonormal translations and rotations in mass-weighted coordinates, as
// columns; a rotation about the axis of a linear molecule drops out.
Eigen::MatrixXd externalCoordinates(const std::vector<double>& xyz,
                                    const std::vector<double>& masses) {
    const Eigen::Index n = static_cast<Eigen::Index>(masses.size());
    Eigen::Vector3d centre = Eigen::Vector3d::Zero();
    double total = 0.0;
    for (Eigen::Index a = 0; a < n; ++a) {
        centre += masses[a] * Eigen::Vector3d(xyz[3 * a], xyz[3 * a + 1], xyz[3 * a + 2]);
        total += masses[a];
    }
    centre /= total;
    Eigen::MatrixXd t = Eigen::MatrixXd::Zero(3 * n, 6);
    double inertia = 0.0;
    for (Eigen::Index a = 0; a < n; ++a) {
        const double s = std::sqrt(masses[a]);
        const Eigen::Vector3d r =
            Eigen::Vector3d(xyz[3 * a], xyz[3 * a + 1], xyz[3 * a + 2]) - centre;
        inertia += masses[a] * r.squaredNorm();
        for (int c = 0; c < 3; ++c) {
            t(3 * a + c, c) = s;
            t.block<3, 1>(3 * a, 3 + c) = s * Eigen::Vector3d::Unit(c).cross(r);
        }
    }
    // Gram-Schmidt; a column left shorter than this (relative to the
    // molecule's size) is no independent motion.
    const double drop[6] = {1e-10, 1e-10, 1e-10, 0, 0, 0};
    Eigen::MatrixXd kept(3 * n, 6);
    int k = 0;
    for (int c = 0; c < 6; ++c) {
        Eigen::VectorXd v = t.col(c);
        for (int j = 0; j < k; ++j)
            v -= kept.col(j).dot(v) * kept.col(j);
        const double limit = c < 3 ? drop[c] : 1e-5 * std::sqrt(inertia);
        const double norm = v.norm();
        if (norm > limit && norm > 0.0)
            kept.col(k++) = v / norm;
    }
    return kept.leftCols(k);
}

std::string checkInput(const HessianInput& in, bool needHessian = true) {
    const std::size_t n = in.atomicNumbers.size();
    if (n == 0)
        return msg::kHessianNoAtoms;
    if (in.coordinates.size() != 3 * n)
        return countText(msg::kHessianCoordinateCount, in.coordinates.size(), 3 * n);
    if (!in.masses.empty() && in.masses.size() != n)
        return countText(msg::kHessianMassCount, in.masses.size(), n);
    const std::size_t dim = 3 * n;
    if ((needHessian || !in.hessian.empty()) && in.hessian.size() != dim * (dim + 1) / 2)
        return countText(msg::kHessianHessianLength, in.hessian.size(), dim * (dim + 1) / 2);
    if (!in.polarTensor.empty() && in.polarTensor.size() != 9 * n)
        return countText(msg::kHessianPolarTensorLength, in.polarTensor.size(), 9 * n);
    if (!allFinite(in.coordinates))
        return std::string(msg::kHessianNotFinite) + msg::kHessianWhatCoordinates;
    if (!allFinite(in.hessian))
        return std::string(msg::kHessianNotFinite) + msg::kHessianWhatHessian;
    if (!allFinite(in.polarTensor))
        return std::string(msg::kHessianNotFinite) + msg::kHessianWhatPolarTensor;
    for (std::size_t a = 0; a < in.masses.size(); ++a)
        if (!(in.masses[a] > 0.0) || !std::isfinite(in.masses[a]))
            return msg::kHessianMassNotPositive + std::to_string(a + 1);
    return {};
}

// Replaces the frequencies with the file's when every one agrees.
void preferFileFrequencies(const std::vector<double>& file, VibrationalAnalysis& result) {
    if (file.empty())
        return;
    bool agree = file.size() >= result.modes.size();
    for (std::size_t k = 0; agree && k < result.modes.size(); ++k) {
        const double ours = result.modes[k].frequency;
        agree = std::abs(file[k] - ours) <= std::max(1.0, 0.005 * std::abs(ours));
    }
    result.fileFrequenciesDisagree = !agree;
    if (!agree)
        return;
    for (std::size_t k = 0; k < result.modes.size(); ++k)
        result.modes[k].frequency = file[k];
    result.frequenciesFromFile = true;
}

} // namespace

Vector3 dipoleDerivativeOf(const std::vector<double>& e, const std::vector<double>& masses,
                           const std::vector<double>& apt) {
    double mu[3] = {0.0, 0.0, 0.0};
    for (std::size_t a = 0; a < masses.size(); ++a) {
        const double w = 1.0 / std::sqrt(masses[a]);
        for (std::size_t c = 0; c < 3; ++c) {
            const double q = e[3 * a + c] * w;
            for (std::size_t d = 0; d < 3; ++d)
                mu[d] += apt[3 * (3 * a + c) + d] * q;
        }
    }
    const double s = std::sqrt(intensityFactor());
    return {s * mu[0], s * mu[1], s * mu[2]};
}

ReadResult<VibrationalAnalysis> analyseHessian(const HessianInput& in) {
    using Result = ReadResult<VibrationalAnalysis>;
    if (std::string why = checkInput(in); !why.empty())
        return Result::failure(why);
    const std::size_t n = in.atomicNumbers.size();
    const Eigen::Index dim = static_cast<Eigen::Index>(3 * n);

    VibrationalAnalysis result;
    result.masses = in.masses;
    if (result.masses.empty()) {
        for (std::size_t a = 0; a < n; ++a) {
            const auto m = standardIsotopeMass(in.atomicNumbers[a]);
            if (!m)
                return Result::failure(msg::kHessianNoStandardMass + std::to_string(a + 1));
            result.masses.push_back(*m);
        }
    }
    Eigen::VectorXd rootMass(dim);
    for (Eigen::Index i = 0; i < dim; ++i)
        rootMass[i] = std::sqrt(result.masses[static_cast<std::size_t>(i / 3)]);

    Eigen::MatrixXd h(dim, dim);
    std::size_t next = 0;
    for (Eigen::Index i = 0; i < dim; ++i)
        for (Eigen::Index j = 0; j <= i; ++j) {
            h(i, j) = in.hessian[next];
            h(j, i) = in.hessian[next++];
        }
    // A Hessian off a stationary point, or with numerical noise, does not
    // quite vanish on rigid motions. Removing them in plain Cartesian space
    // (where they do not depend on the masses) first keeps the frequencies
    // of isotopologues consistent (the Teller-Redlich product rule).
    {
        const Eigen::MatrixXd rigid =
            externalCoordinates(in.coordinates, std::vector<double>(n, 1.0));
        const Eigen::MatrixXd hr = h * rigid;
        const Eigen::MatrixXd rhr = rigid.transpose() * hr;
        h -= hr * rigid.transpose();
        h -= rigid * hr.transpose();
        h += rigid * rhr * rigid.transpose();
    }
    for (Eigen::Index i = 0; i < dim; ++i)
        for (Eigen::Index j = 0; j < dim; ++j)
            h(i, j) /= rootMass[i] * rootMass[j];

    // Q's first k columns span the external motions, the rest the internal
    // space: Q^T H Q's lower block is the projected Hessian, smaller by k.
    const Eigen::MatrixXd external = externalCoordinates(in.coordinates, result.masses);
    const Eigen::Index k = external.cols();
    result.linear = n > 1 && k == 5;
    const Eigen::Index m = dim - k;
    if (m <= 0)
        return result;
    const Eigen::HouseholderQR<Eigen::MatrixXd> qr(external);
    const auto q = qr.householderQ();
    h.applyOnTheLeft(q.adjoint());
    h.applyOnTheRight(q);
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver(h.bottomRightCorner(m, m));
    Eigen::MatrixXd vectors = Eigen::MatrixXd::Zero(dim, m);
    vectors.bottomRows(m) = solver.eigenvectors();
    vectors.applyOnTheLeft(q);

    const double toWavenumber = wavenumberFactor();
    result.hasIntensities = !in.polarTensor.empty();
    result.modes.resize(static_cast<std::size_t>(m));
    for (Eigen::Index c = 0; c < m; ++c) {
        NormalMode& mode = result.modes[static_cast<std::size_t>(c)];
        const double lambda = solver.eigenvalues()[c];
        mode.frequency = std::copysign(std::sqrt(std::abs(lambda)) * toWavenumber, lambda);
        mode.massWeighted.assign(vectors.col(c).data(), vectors.col(c).data() + dim);
        const Eigen::VectorXd cartesian = vectors.col(c).cwiseQuotient(rootMass);
        const double norm2 = cartesian.squaredNorm();
        mode.reducedMass = 1.0 / norm2;
        const double scale = 1.0 / std::sqrt(norm2);
        mode.displacements.resize(n);
        for (std::size_t a = 0; a < n; ++a)
            mode.displacements[a] = {cartesian[3 * a] * scale, cartesian[3 * a + 1] * scale,
                                     cartesian[3 * a + 2] * scale};
        if (result.hasIntensities) {
            mode.dipoleDerivative =
                dipoleDerivativeOf(mode.massWeighted, result.masses, in.polarTensor);
            const Vector3& v = mode.dipoleDerivative;
            mode.intensity = v.x * v.x + v.y * v.y + v.z * v.z;
        }
    }
    preferFileFrequencies(in.fileFrequencies, result);
    return result;
}

ReadResult<VibrationalAnalysis> analyseWithIsotopes(HessianInput in, std::string_view changes) {
    using Result = ReadResult<VibrationalAnalysis>;
    if (std::string why = checkInput(in); !why.empty())
        return Result::failure(why);
    for (std::size_t a = in.masses.size(); a < in.atomicNumbers.size(); ++a) {
        const auto m = standardIsotopeMass(in.atomicNumbers[a]);
        if (!m)
            return Result::failure(msg::kHessianNoStandardMass + std::to_string(a + 1));
        in.masses.push_back(*m);
    }
    auto parsed = parseIsotopeChanges(changes, static_cast<int>(in.atomicNumbers.size()));
    if (!parsed)
        return Result::failure(parsed.error());
    in.masses = applyMassChanges(std::move(in.masses), *parsed);
    in.fileFrequencies.clear();
    return analyseHessian(in);
}

ReadResult<HessianInput> hessianInputFromCheckpoint(const CheckpointSections& file,
                                                    bool requireHessian) {
    HessianInput in;
    in.hessian = file.values("Cartesian Force Constants");
    if (in.hessian.empty() && requireHessian)
        return ReadResult<HessianInput>::failure(msg::kHessianNoHessian);
    for (double z : file.values("Atomic numbers"))
        in.atomicNumbers.push_back(static_cast<int>(z));
    in.coordinates = file.values("Current cartesian coordinates");
    in.masses = file.values("Real atomic weights");
    in.polarTensor = file.values("Dipole Derivatives");
    // Vib-E2 begins with the frequencies of its Vib-NDim modes.
    const std::vector<double>& e2 = file.values("Vib-E2");
    const long count = file.integer("Vib-NDim", 0);
    if (count > 0 && e2.size() >= static_cast<std::size_t>(count))
        in.fileFrequencies.assign(e2.begin(), e2.begin() + count);
    if (std::string why = checkInput(in, requireHessian); !why.empty())
        return ReadResult<HessianInput>::failure(why);
    return in;
}

} // namespace kalviro
