// One orbital on a grid from the file's own basis: the 80-function
// aug-cc-pVQZ carbon atom and benzene in Cartesian cc-pVTZ (300 functions)
// on 100^3 points, against water in STO-3G (7 functions) on the view's 51^3;
// the folded evaluator with two workers and with one, and the baseline of
// every basis function evaluated and summed at each point. Counts one
// multiply-add per basis function and point.
// The corpus folder is KALVIRO_CORPUS_DIR, else ../shared/corpus beside the
// source tree. The benzene file is not kept: `psi4 benzene_tz_cartesian.in`
// in bench/data writes it there (about a minute); without it that case is
// skipped.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "model/readers/CheckpointSections.h"
#include "orbital/OrbitalGrid.h"

namespace {

using namespace kalviro;

constexpr double kMargin = 6.0;

struct Case {
    const char* file; // in the corpus, or bench/data/
    bool inCorpus;
    int points; // per axis
};
const Case kCarbon{"files/g09/C_bigbasis.fchk", true, 100};
const Case kBenzene{"benzene_tz_cartesian.fchk", false, 100};
const Case kWater{"files/g09/water_mp2.fchk", true, 51};

std::filesystem::path pathOf(const Case& c) {
    const std::filesystem::path here = std::filesystem::path(__FILE__).parent_path();
    if (!c.inCorpus)
        return here / "data" / c.file;
    const char* dir = std::getenv("KALVIRO_CORPUS_DIR");
    return (dir ? std::filesystem::path(dir) : here / "../../shared/corpus") / c.file;
}

std::optional<OrbitalSet> load(const Case& c) {
    const auto file = readCheckpointSections(pathOf(c).string());
    if (!file)
        return std::nullopt;
    auto read = orbitalsFromCheckpoint(*file);
    if (!read)
        return std::nullopt;
    return std::move(*read);
}

void countMultiplyAdds(benchmark::State& state, const OrbitalSet& set, int points) {
    const double perGrid = double(points) * points * points * set.basis.functionCount();
    state.counters["madd_per_s"] =
        benchmark::Counter(perGrid, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["functions"] = set.basis.functionCount();
}

void foldedGrid(benchmark::State& state, const Case& c) {
    const auto set = load(c);
    if (!set) {
        state.SkipWithError((pathOf(c).string() + " not found").c_str());
        return;
    }
    const Orbital& homo = set->orbitals[set->defaultOrbital()];
    const auto threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        const OrbitalGrid grid = evaluateOrbitalGrid(set->basis, homo.coefficients, set->atoms,
                                                     c.points, kMargin, threads);
        benchmark::DoNotOptimize(grid.values.data());
    }
    countMultiplyAdds(state, *set, c.points);
}

// Baseline: all functions at each point, then the sum, on one worker.
void perFunctionGrid(benchmark::State& state, const Case& c) {
    const auto set = load(c);
    if (!set) {
        state.SkipWithError((pathOf(c).string() + " not found").c_str());
        return;
    }
    const Orbital& homo = set->orbitals[set->defaultOrbital()];
    const int n = c.points;
    const double step = 2 * kMargin / (n - 1);
    std::vector<double> values(std::size_t(n) * n * n);
    for (auto _ : state) {
        std::size_t at = 0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                for (int k = 0; k < n; ++k)
                    values[at++] = set->basis.evaluateOrbital(
                        homo.coefficients, {-kMargin + i * step, -kMargin + j * step, -kMargin + k * step});
        benchmark::DoNotOptimize(values.data());
    }
    countMultiplyAdds(state, *set, n);
}

} // namespace

BENCHMARK_CAPTURE(perFunctionGrid, carbon_augccpvqz, kCarbon)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(foldedGrid, carbon_augccpvqz, kCarbon)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(foldedGrid, benzene_ccpvtz_cart, kBenzene)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(foldedGrid, water_sto3g_51, kWater)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
