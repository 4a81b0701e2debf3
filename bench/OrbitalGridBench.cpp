// One orbital of the 80-function aug-cc-pVQZ carbon atom on a 100^3 grid:
// the folded evaluator with two workers and with one, against the baseline
// of every basis function evaluated and summed at each point. Counts one
// multiply-add per basis function and point.
// The corpus folder is KALVIRO_CORPUS_DIR, else ../shared/corpus beside the
// source tree.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "model/readers/CheckpointSections.h"
#include "orbital/OrbitalGrid.h"

namespace {

using namespace kalviro;

constexpr int kPoints = 100;
constexpr double kMargin = 6.0;

std::filesystem::path corpusFile() {
    const char* dir = std::getenv("KALVIRO_CORPUS_DIR");
    const std::filesystem::path root =
        dir ? std::filesystem::path(dir)
            : std::filesystem::path(__FILE__).parent_path() / "../../shared/corpus";
    return root / "files/g09/C_bigbasis.fchk";
}

const OrbitalSet* carbon() {
    static const auto set = []() -> std::optional<OrbitalSet> {
        const auto file = readCheckpointSections(corpusFile().string());
        if (!file)
            return std::nullopt;
        auto read = orbitalsFromCheckpoint(*file);
        if (!read)
            return std::nullopt;
        return std::move(*read);
    }();
    return set ? &*set : nullptr;
}

void countMultiplyAdds(benchmark::State& state, const OrbitalSet& set) {
    const double perGrid = double(kPoints) * kPoints * kPoints * set.basis.functionCount();
    state.counters["madd_per_s"] =
        benchmark::Counter(perGrid, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["functions"] = set.basis.functionCount();
}

void foldedGrid(benchmark::State& state) {
    const OrbitalSet* set = carbon();
    if (!set) {
        state.SkipWithError("C_bigbasis.fchk not found");
        return;
    }
    const Orbital& homo = set->orbitals[set->defaultOrbital()];
    const auto threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        const OrbitalGrid grid = evaluateOrbitalGrid(set->basis, homo.coefficients, set->atoms,
                                                     kPoints, kMargin, threads);
        benchmark::DoNotOptimize(grid.values.data());
    }
    countMultiplyAdds(state, *set);
}

// Baseline: all 80 functions at each point, then the sum, on one worker.
void perFunctionGrid(benchmark::State& state) {
    const OrbitalSet* set = carbon();
    if (!set) {
        state.SkipWithError("C_bigbasis.fchk not found");
        return;
    }
    const Orbital& homo = set->orbitals[set->defaultOrbital()];
    const double step = 2 * kMargin / (kPoints - 1);
    std::vector<double> values(std::size_t(kPoints) * kPoints * kPoints);
    for (auto _ : state) {
        std::size_t n = 0;
        for (int i = 0; i < kPoints; ++i)
            for (int j = 0; j < kPoints; ++j)
                for (int k = 0; k < kPoints; ++k)
                    values[n++] = set->basis.evaluateOrbital(
                        homo.coefficients,
                        {-kMargin + i * step, -kMargin + j * step, -kMargin + k * step});
        benchmark::DoNotOptimize(values.data());
    }
    countMultiplyAdds(state, *set);
}

} // namespace

BENCHMARK(perFunctionGrid)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK(foldedGrid)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
