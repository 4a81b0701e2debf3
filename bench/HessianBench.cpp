// The whole vibrational analysis of a 300-atom Hessian (900 x 900) against
// Eigen's bare SelfAdjointEigenSolver on the same mass-weighted matrix; the
// ratio of the two times is the figure to quote (aim: at most 2).

#include <benchmark/benchmark.h>

#include <Eigen/Dense>
#include <cmath>
#include <random>

#include "model/Isotopes.h"
#include "model/VibrationalAnalysis.h"

namespace {

using namespace kalviro;

// A random cluster (carbon and hydrogen, at least 1.8 bohr apart) held by
// springs between neighbours: symmetric, invariant to rigid motions, like a
// real Hessian; a random polar tensor.
HessianInput clusterHessian(int atoms) {
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> box(0.0, 24.0), unit(-1.0, 1.0);
    HessianInput in;
    while (static_cast<int>(in.atomicNumbers.size()) < atoms) {
        const double p[3] = {box(random), box(random), box(random)};
        bool clear = true;
        for (std::size_t a = 0; clear && a < in.atomicNumbers.size(); ++a)
            clear = std::hypot(p[0] - in.coordinates[3 * a], p[1] - in.coordinates[3 * a + 1],
                               p[2] - in.coordinates[3 * a + 2]) > 1.8;
        if (!clear)
            continue;
        in.atomicNumbers.push_back(in.atomicNumbers.size() % 3 == 0 ? 1 : 6);
        in.coordinates.insert(in.coordinates.end(), p, p + 3);
    }
    const int n = 3 * atoms;
    Eigen::MatrixXd h = Eigen::MatrixXd::Zero(n, n);
    for (int a = 0; a < atoms; ++a)
        for (int b = 0; b < a; ++b) {
            Eigen::Vector3d d;
            for (int c = 0; c < 3; ++c)
                d[c] = in.coordinates[3 * a + c] - in.coordinates[3 * b + c];
            const double r = d.norm();
            if (r > 5.0)
                continue;
            const Eigen::Matrix3d block = (0.5 * std::exp(2.0 - r)) * (d / r) * (d / r).transpose();
            h.block<3, 3>(3 * a, 3 * a) += block;
            h.block<3, 3>(3 * b, 3 * b) += block;
            h.block<3, 3>(3 * a, 3 * b) -= block;
            h.block<3, 3>(3 * b, 3 * a) -= block;
        }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= i; ++j)
            in.hessian.push_back(h(i, j));
    for (int i = 0; i < 9 * atoms; ++i)
        in.polarTensor.push_back(unit(random));
    return in;
}

const HessianInput& input() {
    static const HessianInput in = clusterHessian(300);
    return in;
}

void BM_HessianAnalysis(benchmark::State& state) {
    const HessianInput& in = input();
    for (auto _ : state) {
        auto r = analyseHessian(in);
        benchmark::DoNotOptimize(r->modes.data());
    }
}
BENCHMARK(BM_HessianAnalysis)->Unit(benchmark::kMillisecond);

// Baseline: the mass-weighted 900 x 900 matrix diagonalised, vectors included.
void BM_BareEigenSolverBaseline(benchmark::State& state) {
    const HessianInput& in = input();
    const Eigen::Index n = static_cast<Eigen::Index>(in.coordinates.size());
    Eigen::MatrixXd h(n, n);
    std::size_t next = 0;
    for (Eigen::Index i = 0; i < n; ++i)
        for (Eigen::Index j = 0; j <= i; ++j) {
            const double m = std::sqrt(*standardIsotopeMass(in.atomicNumbers[i / 3]) *
                                       *standardIsotopeMass(in.atomicNumbers[j / 3]));
            h(i, j) = h(j, i) = in.hessian[next++] / m;
        }
    for (auto _ : state) {
        Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver(h);
        benchmark::DoNotOptimize(solver.eigenvectors().data());
    }
}
BENCHMARK(BM_BareEigenSolverBaseline)->Unit(benchmark::kMillisecond);

} // namespace
