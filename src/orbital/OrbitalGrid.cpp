#include "orbital/OrbitalGrid.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

namespace kalviro {

namespace {

constexpr int kMinPoints = 2;
constexpr int kMaxPoints = 200;

void appendf(std::string& out, const char* fmt, auto... args) {
    char buffer[128];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, args...);
    out.append(buffer, static_cast<std::size_t>(std::clamp(n, 0, int(sizeof buffer) - 1)));
}

} // namespace

OrbitalGrid evaluateOrbitalGrid(const ShellBasis& basis, const std::vector<double>& coefficients,
                                const std::vector<OrbitalAtom>& atoms, int points, double margin,
                                unsigned threads) {
    OrbitalGrid grid;
    grid.points = std::clamp(points, kMinPoints, kMaxPoints);
    Point3 low{0, 0, 0}, high{0, 0, 0};
    for (std::size_t a = 0; a < atoms.size(); ++a)
        for (int k = 0; k < 3; ++k) {
            const double v = atoms[a].position[k];
            low[k] = a == 0 ? v : std::min(low[k], v);
            high[k] = a == 0 ? v : std::max(high[k], v);
        }
    for (int k = 0; k < 3; ++k) {
        grid.origin[k] = low[k] - margin;
        grid.step[k] = (high[k] - low[k] + 2 * margin) / (grid.points - 1);
    }
    const std::size_t n = static_cast<std::size_t>(grid.points);
    grid.values.assign(n * n * n, 0.0);

    const OrbitalEvaluator orbital(basis, coefficients);
    std::atomic<int> nextSlab{0};
    auto work = [&]() {
        for (int i = nextSlab++; i < grid.points; i = nextSlab++) {
            double* out = grid.values.data() + static_cast<std::size_t>(i) * n * n;
            const double x = grid.origin[0] + i * grid.step[0];
            for (int j = 0; j < grid.points; ++j) {
                const double y = grid.origin[1] + j * grid.step[1];
                for (int k = 0; k < grid.points; ++k)
                    *out++ = orbital({x, y, grid.origin[2] + k * grid.step[2]});
            }
        }
    };
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < std::max(1u, threads); ++t)
        workers.emplace_back(work);
    work();
    for (auto& w : workers)
        w.join();
    return grid;
}

std::string cubeFileBytes(const OrbitalGrid& grid, const std::vector<OrbitalAtom>& atoms,
                          int orbitalNumber, std::string_view title, std::string_view comment) {
    std::string out;
    out.reserve(grid.values.size() * 14 + 1024);
    out.append(title).append("\n").append(comment).append("\n");
    appendf(out, "%5d%12.6f%12.6f%12.6f\n", -static_cast<int>(atoms.size()), grid.origin[0],
            grid.origin[1], grid.origin[2]);
    for (int axis = 0; axis < 3; ++axis)
        appendf(out, "%5d%12.6f%12.6f%12.6f\n", grid.points, axis == 0 ? grid.step[0] : 0.0,
                axis == 1 ? grid.step[1] : 0.0, axis == 2 ? grid.step[2] : 0.0);
    for (const OrbitalAtom& a : atoms)
        appendf(out, "%5d%12.6f%12.6f%12.6f%12.6f\n", a.atomicNumber, double(a.atomicNumber),
                a.position[0], a.position[1], a.position[2]);
    appendf(out, "%5d%5d\n", 1, orbitalNumber);
    const std::size_t row = static_cast<std::size_t>(grid.points);
    for (std::size_t start = 0; start < grid.values.size(); start += row) {
        for (std::size_t k = 0; k < row; ++k) {
            appendf(out, "%13.5E", grid.values[start + k]);
            if (k % 6 == 5 || k + 1 == row)
                out += '\n';
        }
    }
    return out;
}

} // namespace kalviro
