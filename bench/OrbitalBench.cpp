// Grid evaluation and contour tracing of the orbital calculator: water in
// STO-3G and a 30-atom chain (C10H20) in 6-31G*, against a direct evaluation
// with the exponential inside the grid loop as the baseline.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "model/ProgramError.h"
#include "orbital/ContourTracer.h"
#include "orbital/MolecularOrbital.h"

namespace {

using namespace kalviro;

constexpr double kMultiplyAddsPerPrimitive = double(kGridValues);

struct Molecule {
    std::vector<std::int32_t> z;
    std::vector<std::array<float, 3>> positions;
    const char* basis;
    int functions;
    int primitives; // evaluated per orbital when every coefficient is set
};

Molecule water() {
    return {{8, 1, 1},
            {{0.0f, 0.0f, 0.117f}, {0.0f, 0.757f, -0.469f}, {0.0f, -0.757f, -0.469f}},
            "STO-3G",
            7,
            21};
}

// A zigzag chain of ten CH2 groups.
Molecule chain() {
    Molecule m{{}, {}, "6-31G*", 0, 0};
    for (int n = 0; n < 10; ++n) {
        const float x = 1.26f * n;
        const float y = (n % 2) ? 0.44f : -0.44f;
        m.z.push_back(6);
        m.positions.push_back({x, y, 0.0f});
        m.z.push_back(1);
        m.positions.push_back({x, y * 2.4f, 0.89f});
        m.z.push_back(1);
        m.positions.push_back({x, y * 2.4f, -0.89f});
    }
    m.functions = 10 * 15 + 20 * 2;
    m.primitives = 10 * (6 + 3 + 9 + 1 + 3 + 6) + 20 * 4;
    return m;
}

MolecularOrbital inputs(const Molecule& m) {
    MolecularOrbital mo;
    mo.atomicNumbers = m.z;
    mo.atomPositions = m.positions;
    mo.basisName = m.basis;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> c(-0.15f, 0.15f);
    for (int f = 0; f < m.functions; ++f)
        mo.coefficients.push_back(c(random));
    return mo;
}

void gridEvaluation(benchmark::State& state, Molecule (*make)()) {
    const Molecule m = make();
    const MolecularOrbital start = inputs(m);
    for (auto _ : state) {
        MolecularOrbital mo = start;
        selectBasisSet(mo);
        benchmark::DoNotOptimize(mo.grid.data());
    }
    state.counters["nominal_madd_per_s"] = benchmark::Counter(
        m.primitives * kMultiplyAddsPerPrimitive, benchmark::Counter::kIsIterationInvariantRate);
}

// The grid loop alone: one diffuse primitive, so no plane underflows and
// every one of the 51^3 multiply-adds is done.
void gridLoop(benchmark::State& state) {
    MolecularOrbital mo;
    for (int a = 0; a < 3; ++a) {
        mo.gridOrigin[a] = -4.0f;
        mo.gridStep[a] = 0.16f;
    }
    for (auto _ : state) {
        addPrimitive(mo, {0.1f, 0.2f, 0.3f}, 0.02f, 0.5f, 1, 0, 0);
        benchmark::DoNotOptimize(mo.grid.data());
    }
    state.counters["madd_per_s"] = benchmark::Counter(
        kMultiplyAddsPerPrimitive, benchmark::Counter::kIsIterationInvariantRate);
}

// Baseline: the same water orbital with an exponential per point and primitive.
void directWater(benchmark::State& state) {
    MolecularOrbital mo = inputs(water());
    selectBasisSet(mo); // box, and the positions in bohr
    struct P {
        std::array<float, 3> c;
        float a, k;
    };
    std::vector<P> prims;
    for (const auto& p : mo.atomPositions)
        for (float a : {5.0f, 1.0f, 0.3f, 0.2f, 0.1f, 0.05f, 0.02f})
            prims.push_back({p, a, 0.3f});
    for (auto _ : state) {
        for (int k = 0; k < kGridSize; ++k)
            for (int j = 0; j < kGridSize; ++j)
                for (int i = 0; i < kGridSize; ++i) {
                    const float x = mo.gridOrigin[0] + i * mo.gridStep[0];
                    const float y = mo.gridOrigin[1] + j * mo.gridStep[1];
                    const float z = mo.gridOrigin[2] + k * mo.gridStep[2];
                    float sum = 0.0f;
                    for (const P& p : prims) {
                        const float dx = x - p.c[0], dy = y - p.c[1], dz = z - p.c[2];
                        sum += p.k * std::exp(-p.a * (dx * dx + dy * dy + dz * dz));
                    }
                    mo.at(i, j, k) = sum;
                }
        benchmark::DoNotOptimize(mo.grid.data());
    }
}

void tracing(benchmark::State& state, Molecule (*make)()) {
    MolecularOrbital mo = inputs(make());
    selectBasisSet(mo);
    std::size_t loops = 0;
    for (auto _ : state) {
        try {
            const ContourStore store = traceAllSlices(mo);
            loops = store.loops.size();
        } catch (const ProgramError& e) {
            state.SkipWithError(e.what());
            break;
        }
    }
    state.counters["loops"] = static_cast<double>(loops);
}

BENCHMARK(gridLoop);
BENCHMARK_CAPTURE(gridEvaluation, water_sto3g, water)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gridEvaluation, chain30_631gs, chain)->Unit(benchmark::kMillisecond);
BENCHMARK(directWater)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tracing, water_sto3g, water)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tracing, chain30_631gs, chain)->Unit(benchmark::kMillisecond);

} // namespace
