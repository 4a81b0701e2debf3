#pragma once
// The spectrum engine: sticks (wavenumber, intensity) broadened into a curve
// on a uniform wavenumber grid with a Lorentzian, Gaussian or pseudo-Voigt
// line shape, and Raman intensities from Raman activities.
//
// Every line has its height I at its centre x0 = factor * nu + shift; w is
// the full width at half maximum:
//   Lorentzian   I / (1 + 4 (x - x0)^2 / w^2)
//   Gaussian     I * exp(-4 ln 2 (x - x0)^2 / w^2)
//   pseudo-Voigt eta * Lorentzian + (1 - eta) * Gaussian, 0 <= eta <= 1
// Sticks with nu <= 0 (imaginary modes) or non-finite values are left out.
// Sums are in double precision.
//
// Windows: a Gaussian is evaluated only where it exceeds 1e-9 of its peak
// (|x - x0| <= 2.73 w). A Lorentzian is evaluated where it exceeds
// kLorentzianCutoff = 1e-6 of its peak (|x - x0| <= about 500 w); beyond that
// its tail is dropped. The largest error this causes at any grid point is
// 1e-6 * sum of |I| over the Lorentzian lines (times eta for pseudo-Voigt),
// and 1e-9 * sum of |I| for the Gaussian part.

#include <span>
#include <string>
#include <vector>

#include "model/readers/ReadResult.h"

namespace kalviro {

inline constexpr double kLorentzianCutoff = 1e-6;
inline constexpr double kGaussianCutoff = 1e-9;
inline constexpr long kMaxGridPoints = 1000000;

enum class LineShape { Lorentzian, Gaussian, PseudoVoigt };

// Grid points from, from + step, ... up to and including to (to within a
// millionth of a step). Needs from < to, step > 0, at most kMaxGridPoints.
struct SpectrumGrid {
    double from = 600.0;
    double to = 1499.0;
    double step = 1.0;
};

struct BroadeningSettings {
    SpectrumGrid grid;
    LineShape shape = LineShape::Lorentzian;
    double width = 2.0; // full width at half maximum, cm-1, > 0
    double eta = 0.5;   // Lorentzian share of the pseudo-Voigt
    double factor = 1.0;
    double shift = 0.0;
};

struct Stick {
    double wavenumber = 0.0; // cm-1
    double intensity = 0.0;
};

struct SpectrumCurve {
    std::vector<double> x; // cm-1
    std::vector<double> y;
};

// The grid's points, or why the grid is not usable (a text for the user).
ReadResult<std::vector<double>> gridPoints(const SpectrumGrid& grid);

// The broadened spectrum of sticks, or why the settings are not usable.
ReadResult<SpectrumCurve> broadenSticks(std::span<const Stick> sticks,
                                        const BroadeningSettings& settings);

struct RamanSettings {
    double laserWavenumber = 18797.0; // cm-1 (532 nm)
    double temperature = 298.15;      // K
    bool activities = false;          // the printed activities (A^4/amu) as they are
};

// Why settings cannot convert activities (a msg:: text), or "" when they can.
std::string ramanSettingsProblem(const RamanSettings& settings);

// Raman intensities I_i = S_i (nu0 - nu_i)^4 / (nu_i (1 - exp(-h c nu_i / k T))),
// normalised so that the largest is 1; with settings.activities the
// activities themselves. Modes with nu <= 0 are left out of the
// result; the others keep their order. Fails when the laser wavenumber or the
// temperature is not positive, or the two lists differ in length.
ReadResult<std::vector<Stick>> ramanSticks(std::span<const double> wavenumbers,
                                           std::span<const double> activities,
                                           const RamanSettings& settings = {});

} // namespace kalviro
