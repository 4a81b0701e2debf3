// The plain spectrum and the 12-angle projection for 10, 100 and 1000 modes
// spread over 400 .. 3999 cm-1 (some inside the grid, some outside).

#include <benchmark/benchmark.h>

#include <string>

#include "ir/ProjectionCalculator.h"
#include "ir/SpectrumCalculator.h"
#include "ir/SpectrumEngine.h"
#include "model/VibrationStore.h"

namespace {

using namespace kalviro;

VibrationStore storeWithModes(int n) {
    VibrationStore s;
    for (int k = 0; k < n; ++k) {
        s.frequencies.push_back(std::to_string(400 + (k * 3600) / n) + ".1234");
        s.dipoleDerivatives.push_back({0.1 * (k % 7), 0.2 * (k % 5) - 0.4, 0.05 * (k % 11)});
    }
    return s;
}

void BM_Spectrum(benchmark::State& state) {
    VibrationStore s = storeWithModes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        SpectrumCalculator().compute(2, s);
        benchmark::DoNotOptimize(s.spectra[0].data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * kSpectrumPoints);
}
BENCHMARK(BM_Spectrum)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

template <class Projection> void BM_Projection(benchmark::State& state) {
    VibrationStore s = storeWithModes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Projection().compute(2, s);
        benchmark::DoNotOptimize(s.spectra[11].data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * kSpectrumPoints *
                            kSpectrumBlocks);
}
BENCHMARK(BM_Projection<XAxisProjection>)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Projection<ZAxisProjection>)->Arg(1000)->Unit(benchmark::kMillisecond);

// Baseline: the same 12 x 900 x n terms summed point by point (mode loop
// innermost), the order the formula is written in.
void BM_ProjectionPointOrderBaseline(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    VibrationStore s = storeWithModes(n);
    std::vector<double> nu = modeWavenumbers(s, s.dipoleDerivatives.size());
    std::vector<float> sticks(nu.size());
    for (auto _ : state) {
        for (int a = 0; a < kSpectrumBlocks; ++a) {
            for (std::size_t k = 0; k < sticks.size(); ++k)
                sticks[k] = static_cast<float>(s.dipoleDerivatives[k].y * (1.0 - 0.01 * a));
            for (int j = 0; j < kSpectrumPoints; ++j) {
                float sum = 0;
                for (std::size_t k = 0; k < sticks.size(); ++k) {
                    const double d = j - (nu[k] - 600);
                    sum = static_cast<float>(sum + sticks[k] / (4 * d * d / 4.0 + 1));
                }
                s.spectra[a][j] = sum;
            }
        }
        benchmark::DoNotOptimize(s.spectra[11].data());
    }
}
BENCHMARK(BM_ProjectionPointOrderBaseline)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

// The spectrum engine: 1000 modes over 400 .. 3999 cm-1 on a grid of 10^5
// points (0 .. 3999.96 step 0.04), FWHM 4, each line shape, against the plain
// double loop that evaluates every Lorentzian at every point.
namespace {

constexpr int kEngineModes = 1000;

kalviro::BroadeningSettings engineSettings(kalviro::LineShape shape) {
    kalviro::BroadeningSettings s;
    s.grid = {0, 3999.96, 0.04};
    s.shape = shape;
    s.width = 4;
    return s;
}

std::vector<kalviro::Stick> engineSticks() {
    std::vector<kalviro::Stick> sticks;
    for (int k = 0; k < kEngineModes; ++k)
        sticks.push_back({400 + k * 3.6 + 0.123, 1.0 + k % 17});
    return sticks;
}

void BM_EngineShape(benchmark::State& state) {
    const auto shape = static_cast<kalviro::LineShape>(state.range(0));
    const auto settings = engineSettings(shape);
    const auto sticks = engineSticks();
    for (auto _ : state) {
        auto curve = kalviro::broadenSticks(sticks, settings);
        benchmark::DoNotOptimize(curve->y.data());
    }
    state.SetLabel(shape == kalviro::LineShape::Lorentzian ? "Lorentzian"
                   : shape == kalviro::LineShape::Gaussian ? "Gaussian"
                                                           : "pseudo-Voigt");
}
BENCHMARK(BM_EngineShape)
    ->Arg(static_cast<int>(kalviro::LineShape::Lorentzian))
    ->Arg(static_cast<int>(kalviro::LineShape::Gaussian))
    ->Arg(static_cast<int>(kalviro::LineShape::PseudoVoigt))
    ->Unit(benchmark::kMillisecond);

void BM_EnginePlainLoopBaseline(benchmark::State& state) {
    const auto settings = engineSettings(kalviro::LineShape::Lorentzian);
    const auto sticks = engineSticks();
    const auto x = kalviro::gridPoints(settings.grid);
    const double w2 = settings.width * settings.width;
    std::vector<double> y(x->size());
    for (auto _ : state) {
        for (std::size_t j = 0; j < y.size(); ++j) {
            double sum = 0;
            for (const auto& st : sticks) {
                const double d = (*x)[j] - st.wavenumber;
                sum += st.intensity / (1 + 4 * d * d / w2);
            }
            y[j] = sum;
        }
        benchmark::DoNotOptimize(y.data());
    }
}
BENCHMARK(BM_EnginePlainLoopBaseline)->Unit(benchmark::kMillisecond);

} // namespace
