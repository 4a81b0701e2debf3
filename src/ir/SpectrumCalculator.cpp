#include "ir/SpectrumCalculator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/NumberText.h"

namespace kalviro {

std::vector<double> modeWavenumbers(const VibrationStore& store, std::size_t count) {
    std::vector<double> nu(count, 0.0);
    const std::size_t known = std::min(count, store.frequencies.size());
    for (std::size_t k = 0; k < known; ++k)
        nu[k] = parseNumber(store.frequencies[k]);
    return nu;
}

void broaden(std::span<const float> sticks, std::span<const double> wavenumbers,
             VibrationStore::SpectrumBlock& block, int w) {
    block.fill(0.0f);
    // In 64 bits: the square of a large int must not overflow.
    const double ww = static_cast<double>(static_cast<long long>(w) * w);
    const std::size_t n = std::min(sticks.size(), wavenumbers.size());
    for (std::size_t k = 0; k < n; ++k) {
        const double centre = wavenumbers[k] - kSpectrumFirstWavenumber;
        if (!std::isfinite(centre))
            continue;
        const double stick = sticks[k];
        if (ww == 0.0) {
            if (centre >= 0 && centre < kSpectrumPoints && centre == std::floor(centre)) {
                float& s = block[static_cast<std::size_t>(centre)];
                s = static_cast<float>(s + stick);
            }
            continue;
        }
        // Mode by mode over the grid: each point still receives its terms in
        // mode order, and this loop vectorises.
        for (int j = 0; j < kSpectrumPoints; ++j) {
            const double d = j - centre;
            const double term = stick / (4 * d * d / ww + 1);
            block[j] = static_cast<float>(block[j] + term);
        }
    }
}

std::vector<double> spectrumWavenumbers(const VibrationStore& store, std::size_t count) {
    std::vector<double> nu = modeWavenumbers(store, count);
    for (double& x : nu)
        if (!(x > 0.0))
            x = std::numeric_limits<double>::quiet_NaN();
    return nu;
}

void SpectrumCalculator::compute(int w, VibrationStore& store) {
    float& maximum = store.intensityMaximum;
    maximum = 0.0f;
    const std::size_t n = store.frequencies.size();
    const std::vector<double> nu = spectrumWavenumbers(store, n);
    std::vector<float> sticks(n, 0.0f);
    for (std::size_t k = 0; k < n && k < store.intensities.size(); ++k) {
        if (std::isnan(nu[k]))
            continue;
        sticks[k] = static_cast<float>(parseNumber(store.intensities[k]) * store.intensityToKmPerMol);
        if (sticks[k] > maximum)
            maximum = sticks[k];
    }
    broaden(sticks, nu, store.spectra[0], w);
}

} // namespace kalviro
