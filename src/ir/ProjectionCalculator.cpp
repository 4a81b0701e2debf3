#include "ir/ProjectionCalculator.h"

#include <algorithm>
#include <cmath>

#include "ir/SpectrumCalculator.h"

namespace kalviro {

void ProjectionCalculator::compute(int w, VibrationStore& store) {
    dipoleDerivatives_ = store.dipoleDerivatives;
    float& maximum = store.intensityMaximum;
    maximum = 0.0f;
    const std::size_t n = dipoleDerivatives_.size();
    const std::vector<double> nu = spectrumWavenumbers(store, n);
    std::vector<float> sticks(n);
    const int blocks = std::clamp<int>(store.spectrumCount, 0, kSpectrumBlocks);
    for (int a = 0; a < blocks; ++a) {
        for (std::size_t i = 0; i < n; ++i) {
            if (std::isnan(nu[i]))
                continue;
            const double normal = rotate(15 * a, static_cast<unsigned>(i)).y;
            sticks[i] = static_cast<float>(normal * normal);
            if (sticks[i] > maximum)
                maximum = sticks[i];
        }
        broaden(sticks, nu, store.spectra[static_cast<std::size_t>(a)], w);
    }
}

Vector3 XAxisProjection::rotate(int angleDegrees, unsigned mode) const {
    const Vector3& v = dipoleDerivatives_.at(mode);
    const double t = angleDegrees * degToRad();
    const double c = std::cos(t), s = std::sin(t);
    return {v.x, v.y * c - v.z * s, v.y * s + v.z * c};
}

Vector3 ZAxisProjection::rotate(int angleDegrees, unsigned mode) const {
    const Vector3& v = dipoleDerivatives_.at(mode);
    const double t = angleDegrees * degToRad();
    const double c = std::cos(t), s = std::sin(t);
    return {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

} // namespace kalviro
