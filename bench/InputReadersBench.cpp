// Reading time of the input readers against the size of the molecule: the
// per-atom cost should stay flat (no quadratic label or parameter lookups).
#include <benchmark/benchmark.h>

#include <string>

#include "model/readers/GamessInputReader.h"
#include "model/readers/GaussianInputReader.h"

namespace {

std::string cartesian(int n) {
    std::string s = "#p hf\n\nbench\n\n0 1\n";
    for (int i = 0; i < n; ++i)
        s += "C " + std::to_string(i * 0.1) + " 0.5 -1.25\n";
    return s;
}

// A chain with labelled references and one parameter set per atom.
std::string labelledZMatrix(int n) {
    std::string s = "#p hf\n\nbench\n\n0 1\nC0\nC1 C0 R1\nC2 C1 R2 C0 A2\n";
    for (int i = 3; i < n; ++i)
        s += "C" + std::to_string(i) + " C" + std::to_string(i - 1) + " R" + std::to_string(i) +
             " C" + std::to_string(i - 2) + " A" + std::to_string(i) + " C" +
             std::to_string(i - 3) + " D" + std::to_string(i) + "\n";
    s += "Variables:\n";
    for (int i = 1; i < n; ++i)
        s += "R" + std::to_string(i) + " 1.54\nA" + std::to_string(i) + " 109.5\nD" +
             std::to_string(i) + " 60.0\n";
    return s;
}

std::string gamess(int n) {
    std::string s = " $DATA\nbench\nC1\n";
    for (int i = 0; i < n; ++i)
        s += " C 6.0 " + std::to_string(i * 0.1) + " 0.5 -1.25\n";
    return s + " $END\n";
}

void BM_GaussianCartesian(benchmark::State& state) {
    const std::string text = cartesian(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(kalviro::parseInputText(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_GaussianLabelledZMatrix(benchmark::State& state) {
    const std::string text = labelledZMatrix(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(kalviro::parseInputText(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Gamess(benchmark::State& state) {
    const std::string text = gamess(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(kalviro::parseGamessText(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_GaussianCartesian)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_GaussianLabelledZMatrix)->Arg(1000)->Arg(10000);
BENCHMARK(BM_Gamess)->Arg(1000)->Arg(10000);
