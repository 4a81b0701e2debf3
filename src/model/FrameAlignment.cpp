#include "model/FrameAlignment.h"
#include "platform/Messages.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace kalviro {

namespace {

// Texts the user sees.

Eigen::Vector3d toEigen(const Vector3& v) {
    return {v.x, v.y, v.z};
}
Vector3 fromEigen(const Eigen::Vector3d& v) {
    return {v.x(), v.y(), v.z()};
}

Eigen::Matrix3d matrixOf(const FrameAlignment& f) {
    Eigen::Matrix3d r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r(i, j) = f.rotation[i][j];
    return r;
}

void store(const Eigen::Matrix3d& r, FrameAlignment& f) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            f.rotation[i][j] = r(i, j);
}

void measure(const std::vector<Vector3>& from, const std::vector<Vector3>& to, FrameAlignment& f) {
    double sum = 0.0;
    f.maxDeviation = 0.0;
    for (std::size_t i = 0; i < from.size(); ++i) {
        const double d = (toEigen(f.place(from[i])) - toEigen(to[i])).norm();
        sum += d * d;
        f.maxDeviation = std::max(f.maxDeviation, d);
    }
    f.rmsDeviation = from.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(from.size()));
}

Eigen::Vector3d centroid(const std::vector<Vector3>& p) {
    Eigen::Vector3d c = Eigen::Vector3d::Zero();
    for (const Vector3& v : p)
        c += toEigen(v);
    return p.empty() ? c : Eigen::Vector3d(c / static_cast<double>(p.size()));
}

// Rotation by angle about the unit axis u (Rodrigues).
Eigen::Matrix3d turnAbout(const Eigen::Vector3d& u, double angle) {
    return Eigen::AngleAxisd(angle, u).toRotationMatrix();
}

} // namespace

Vector3 FrameAlignment::turn(const Vector3& v) const {
    return fromEigen(matrixOf(*this) * toEigen(v));
}

Vector3 FrameAlignment::turnBack(const Vector3& v) const {
    return fromEigen(matrixOf(*this).transpose() * toEigen(v));
}

Vector3 FrameAlignment::place(const Vector3& p) const {
    return fromEigen(matrixOf(*this) * (toEigen(p) - toEigen(fromCentre)) + toEigen(toCentre));
}

FrameAlignment alignFrames(const std::vector<Vector3>& from, const std::vector<Vector3>& to) {
    FrameAlignment f;
    const std::size_t n = std::min(from.size(), to.size());
    const Eigen::Vector3d cf = centroid(from);
    const Eigen::Vector3d ct = centroid(to);
    f.fromCentre = fromEigen(cf);
    f.toCentre = fromEigen(ct);
    // Covariance of the centred sets; R = V diag(1, 1, det) U^T keeps it proper.
    Eigen::Matrix3d cov = Eigen::Matrix3d::Zero();
    double spread = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const Eigen::Vector3d p = toEigen(from[i]) - cf;
        cov += p * (toEigen(to[i]) - ct).transpose();
        spread += p.squaredNorm();
    }
    const Eigen::JacobiSVD<Eigen::Matrix3d> svd(cov, Eigen::ComputeFullU | Eigen::ComputeFullV);
    Eigen::Matrix3d d = Eigen::Matrix3d::Identity();
    d(2, 2) = (svd.matrixV() * svd.matrixU().transpose()).determinant() < 0.0 ? -1.0 : 1.0;
    store(svd.matrixV() * d * svd.matrixU().transpose(), f);
    // One singular value left: every point on a line through the centroid.
    const Eigen::Vector3d s = svd.singularValues();
    f.axisOpen = n > 0 && s[1] <= 1e-5 * std::max(spread, 1e-300);
    measure(from, to, f);
    return f;
}

FrameAlignment alignFramesWithModes(const std::vector<Vector3>& from,
                                    const std::vector<Vector3>& to,
                                    const std::vector<std::vector<Vector3>>& fromModes,
                                    const std::vector<std::vector<Vector3>>& toModes) {
    FrameAlignment f = alignFrames(from, to);
    if (!f.axisOpen)
        return f;
    // The line's direction in the to-frame: the largest spread of to.
    const Eigen::Vector3d ct = toEigen(f.toCentre);
    Eigen::Matrix3d spread = Eigen::Matrix3d::Zero();
    for (const Vector3& p : to)
        spread += (toEigen(p) - ct) * (toEigen(p) - ct).transpose();
    const Eigen::Vector3d axis =
        Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(spread).eigenvectors().col(2);
    const Eigen::Matrix3d base = matrixOf(f);
    // Sum over modes of the squared overlap after a turn by t about the axis;
    // a trigonometric polynomial of order two, searched on a grid and refined.
    const auto score = [&](double t) {
        const Eigen::Matrix3d r = turnAbout(axis, t) * base;
        double total = 0.0;
        const std::size_t modes = std::min(fromModes.size(), toModes.size());
        for (std::size_t k = 0; k < modes; ++k) {
            const std::size_t atoms = std::min(fromModes[k].size(), toModes[k].size());
            double dot = 0.0;
            for (std::size_t a = 0; a < atoms; ++a)
                dot += (r * toEigen(fromModes[k][a])).dot(toEigen(toModes[k][a]));
            total += dot * dot;
        }
        return total;
    };
    const double pi = std::acos(-1.0);
    double best = 0.0;
    double bestScore = score(0.0);
    const int steps = 360;
    for (int i = 1; i < steps; ++i) {
        const double t = 2.0 * pi * i / steps;
        if (const double s = score(t); s > bestScore + 1e-12) {
            bestScore = s;
            best = t;
        }
    }
    for (double step = pi / steps; step > 1e-9; step *= 0.5) {
        for (const double t : {best - step, best + step})
            if (const double s = score(t); s > bestScore) {
                bestScore = s;
                best = t;
            }
    }
    store(turnAbout(axis, best) * base, f);
    measure(from, to, f);
    return f;
}

ReadResult<FrameAlignment> alignSameMolecule(const std::vector<int>& fromNumbers,
                                             const std::vector<Vector3>& from,
                                             const std::vector<int>& toNumbers,
                                             const std::vector<Vector3>& to, double tolerance) {
    using Result = ReadResult<FrameAlignment>;
    if (from.empty() || to.empty())
        return Result::failure(msg::kHessianNoAtoms);
    if (from.size() != to.size() || fromNumbers.size() != from.size() ||
        toNumbers.size() != to.size())
        return Result::failure(msg::kFrameAtomCount);
    for (std::size_t i = 0; i < from.size(); ++i)
        if (fromNumbers[i] != toNumbers[i])
            return Result::failure(msg::kFrameElements + std::to_string(i + 1));
    const FrameAlignment f = alignFrames(from, to);
    if (!(f.maxDeviation <= tolerance)) {
        char text[32];
        std::snprintf(text, sizeof text, "%.4f", f.maxDeviation);
        return Result::failure(msg::kFrameGeometry + std::string(text) + msg::kFrameAngstrom);
    }
    return f;
}

} // namespace kalviro
