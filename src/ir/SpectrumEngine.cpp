#include "ir/SpectrumEngine.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cmath>

namespace kalviro {
namespace {

// CODATA 2018 exact values (SI), c in cm/s so that h c nu / k T takes nu in cm-1.
constexpr double kPlanck = 6.62607015e-34;    // J s
constexpr double kLightSpeed = 2.99792458e10; // cm/s
constexpr double kBoltzmann = 1.380649e-23;   // J/K

constexpr double kLn2 = 0.69314718055994530942;

// Adds height * shape(x - x0) at every grid point within halfWindow of x0.
template <class Shape>
void addLine(std::vector<double>& y, double from, double step, double x0, double halfWindow,
             Shape shape) {
    const double n = static_cast<double>(y.size());
    const double lo = std::max(0.0, std::ceil((x0 - halfWindow - from) / step));
    const double hi = std::min(n - 1, std::floor((x0 + halfWindow - from) / step));
    if (!(lo <= hi))
        return;
    for (auto j = static_cast<std::size_t>(lo); j <= static_cast<std::size_t>(hi); ++j) {
        const double d = from + static_cast<double>(j) * step - x0;
        y[j] += shape(d);
    }
}

} // namespace

ReadResult<std::vector<double>> gridPoints(const SpectrumGrid& grid) {
    if (!std::isfinite(grid.from) || !std::isfinite(grid.to) || !(grid.from < grid.to))
        return ReadResult<std::vector<double>>::failure(msg::kSpectrumRangeOrder);
    if (!std::isfinite(grid.step) || !(grid.step > 0))
        return ReadResult<std::vector<double>>::failure(msg::kSpectrumStepNotPositive);
    // A millionth of a step of slack so that 600..1499 step 0.1 ends on 1499.
    const double intervals = std::floor((grid.to - grid.from) / grid.step + 1e-6);
    if (!(intervals + 1 <= static_cast<double>(kMaxGridPoints)))
        return ReadResult<std::vector<double>>::failure(msg::kSpectrumTooManyPoints);
    std::vector<double> x(static_cast<std::size_t>(intervals) + 1);
    for (std::size_t j = 0; j < x.size(); ++j)
        x[j] = grid.from + static_cast<double>(j) * grid.step;
    return x;
}

ReadResult<SpectrumCurve> broadenSticks(std::span<const Stick> sticks,
                                        const BroadeningSettings& s) {
    auto x = gridPoints(s.grid);
    if (!x)
        return ReadResult<SpectrumCurve>::failure(x.error());
    if (!std::isfinite(s.width) || !(s.width > 0))
        return ReadResult<SpectrumCurve>::failure(msg::kSpectrumWidthNotPositive);
    if (s.shape == LineShape::PseudoVoigt && !(s.eta >= 0 && s.eta <= 1))
        return ReadResult<SpectrumCurve>::failure(msg::kSpectrumEtaOutOfRange);
    if (!std::isfinite(s.factor) || !std::isfinite(s.shift))
        return ReadResult<SpectrumCurve>::failure(msg::kSpectrumScalingNotFinite);

    SpectrumCurve curve;
    curve.x = std::move(*x);
    curve.y.assign(curve.x.size(), 0.0);

    double lorentzShare = 0, gaussShare = 0;
    switch (s.shape) {
    case LineShape::Lorentzian:
        lorentzShare = 1;
        break;
    case LineShape::Gaussian:
        gaussShare = 1;
        break;
    case LineShape::PseudoVoigt:
        lorentzShare = s.eta;
        gaussShare = 1 - s.eta;
        break;
    }
    const double w2 = s.width * s.width;
    const double lorentzWindow = 0.5 * s.width * std::sqrt(1 / kLorentzianCutoff - 1);
    const double gaussWindow = 0.5 * s.width * std::sqrt(std::log(1 / kGaussianCutoff) / kLn2);
    const double lorentzRate = 4 / w2;
    const double gaussRate = 4 * kLn2 / w2;

    for (const Stick& st : sticks) {
        if (!std::isfinite(st.wavenumber) || !(st.wavenumber > 0) || !std::isfinite(st.intensity))
            continue;
        const double x0 = s.factor * st.wavenumber + s.shift;
        if (!std::isfinite(x0))
            continue;
        if (lorentzShare > 0) {
            const double h = lorentzShare * st.intensity;
            addLine(curve.y, s.grid.from, s.grid.step, x0, lorentzWindow,
                    [h, lorentzRate](double d) { return h / (1 + lorentzRate * d * d); });
        }
        if (gaussShare > 0) {
            const double h = gaussShare * st.intensity;
            addLine(curve.y, s.grid.from, s.grid.step, x0, gaussWindow,
                    [h, gaussRate](double d) { return h * std::exp(-gaussRate * d * d); });
        }
    }
    return curve;
}

std::string ramanSettingsProblem(const RamanSettings& settings) {
    if (!std::isfinite(settings.laserWavenumber) || !(settings.laserWavenumber > 0))
        return msg::kSpectrumLaserNotPositive;
    if (!std::isfinite(settings.temperature) || !(settings.temperature > 0))
        return msg::kSpectrumTemperatureNotPositive;
    return {};
}

ReadResult<std::vector<Stick>> ramanSticks(std::span<const double> wavenumbers,
                                           std::span<const double> activities,
                                           const RamanSettings& settings) {
    using Result = ReadResult<std::vector<Stick>>;
    if (wavenumbers.size() != activities.size())
        return Result::failure(msg::kSpectrumRamanLengths);
    if (const std::string problem = ramanSettingsProblem(settings); !problem.empty())
        return Result::failure(problem);

    const double hcOverKT = kPlanck * kLightSpeed / (kBoltzmann * settings.temperature);
    std::vector<Stick> out;
    double largest = 0;
    for (std::size_t i = 0; i < wavenumbers.size(); ++i) {
        const double nu = wavenumbers[i];
        if (!std::isfinite(nu) || !(nu > 0) || !std::isfinite(activities[i]))
            continue;
        if (settings.activities) {
            out.push_back({nu, activities[i]});
            continue;
        }
        const double d = settings.laserWavenumber - nu;
        // -expm1 keeps the Boltzmann factor accurate for low wavenumbers.
        const double intensity =
            activities[i] * (d * d) * (d * d) / (nu * -std::expm1(-hcOverKT * nu));
        out.push_back({nu, intensity});
        largest = std::max(largest, std::abs(intensity));
    }
    if (largest > 0)
        for (Stick& st : out)
            st.intensity /= largest;
    return out;
}

} // namespace kalviro
