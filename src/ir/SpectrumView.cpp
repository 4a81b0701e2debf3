#include "ir/SpectrumView.h"

#include <algorithm>
#include <cmath>

#include "ir/SpectrumCalculator.h"
#include "model/NumberText.h"

namespace kalviro {

std::vector<ModeStick> modeSticks(const VibrationStore& v, bool raman,
                                  const RamanSettings& ramanSettings) {
    const std::vector<double> nu = modeWavenumbers(v, v.frequencies.size());
    std::vector<ModeStick> out;
    std::vector<double> activities;
    for (std::size_t k = 0; k < nu.size(); ++k) {
        if (!(nu[k] > 0) || !std::isfinite(nu[k]))
            continue;
        double h = 0;
        if (!raman && k < v.intensities.size())
            h = parseNumber(v.intensities[k]) * v.intensityToKmPerMol;
        if (raman)
            activities.push_back(k < v.ramanActivities.size() ? parseNumber(v.ramanActivities[k])
                                                               : 0.0);
        out.push_back({static_cast<int>(k), nu[k], h, k < v.symmetries.size() ? v.symmetries[k] : ""});
    }
    if (raman && !v.ramanActivities.empty()) {
        std::vector<double> x;
        for (const ModeStick& s : out)
            x.push_back(s.wavenumber);
        // Every wavenumber is > 0 here, so the result keeps one entry per stick.
        if (auto r = ramanSticks(x, activities, ramanSettings); r && r->size() == out.size())
            for (std::size_t i = 0; i < out.size(); ++i)
                out[i].height = (*r)[i].intensity;
    }
    return out;
}

std::vector<Stick> engineSticks(std::span<const ModeStick> sticks) {
    std::vector<Stick> out;
    for (const ModeStick& s : sticks)
        out.push_back({s.wavenumber, s.height});
    return out;
}

SpectrumGrid fullRange(std::span<const ModeStick> sticks, const BroadeningSettings& settings) {
    double lo = INFINITY, hi = -INFINITY;
    for (const ModeStick& s : sticks) {
        const double x = settings.factor * s.wavenumber + settings.shift;
        if (x > 0 && std::isfinite(x)) {
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
    }
    SpectrumGrid grid;
    grid.step = settings.grid.step;
    if (!(lo <= hi))
        return grid;
    const double margin = 0.05 * (hi - lo);
    grid.from = std::max(0.0, std::floor((lo - margin) / 100) * 100);
    grid.to = std::ceil((hi + margin) / 100) * 100;
    if (grid.to <= grid.from) // one mode on a hundred
        grid.to = grid.from + 100;
    return grid;
}

std::vector<std::size_t> labelledPeaks(std::span<const ModeStick> sticks,
                                       const BroadeningSettings& settings, std::size_t n) {
    std::vector<std::size_t> inView;
    for (std::size_t i = 0; i < sticks.size(); ++i) {
        const double x = settings.factor * sticks[i].wavenumber + settings.shift;
        if (x >= settings.grid.from && x <= settings.grid.to && sticks[i].height > 0)
            inView.push_back(i);
    }
    std::stable_sort(inView.begin(), inView.end(), [&](std::size_t a, std::size_t b) {
        return sticks[a].height > sticks[b].height;
    });
    inView.resize(std::min(n, inView.size()));
    return inView;
}

std::string peakLabel(const ModeStick& stick, const BroadeningSettings& settings) {
    const std::string x =
        formatNumber("%.0f", settings.factor * stick.wavenumber + settings.shift);
    return stick.species.empty() ? x : x + " " + stick.species;
}

std::optional<int> modeNear(std::span<const ModeStick> sticks, const BroadeningSettings& settings,
                            double x, double tolerance) {
    std::optional<int> best;
    double bestDistance = INFINITY, bestHeight = -INFINITY;
    for (const ModeStick& s : sticks) {
        const double d = std::abs(settings.factor * s.wavenumber + settings.shift - x);
        if (d > tolerance)
            continue;
        if (d < bestDistance || (d == bestDistance && s.height > bestHeight)) {
            best = s.mode;
            bestDistance = d;
            bestHeight = s.height;
        }
    }
    return best;
}

std::optional<double> fieldNumber(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const std::string token = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    double v = 0;
    if (!parseWholeNumber(token, v) || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace kalviro
