#pragma once
// The broadened IR spectrum: stick intensities turned into Lorentzian lines
// on the 600 .. 1499 cm-1 grid, shared by the plain spectrum and the
// surface-normal projection.

#include <cstddef>
#include <span>
#include <vector>

#include "model/Vector3.h"
#include "model/VibrationStore.h"

namespace kalviro {

// Wavenumber of each of the first count modes as the program reads the
// printed text: the leading number, 0 when there is none or no text at all.
std::vector<double> modeWavenumbers(const VibrationStore& store, std::size_t count);

// Fills block with S_j = sum_k I_k / (4 d^2 / (w w) + 1), d = j - (nu_k - 600),
// summed in single precision in mode order. w is the full width at half
// maximum; its sign does not matter. w = 0 is the limit of ever narrower
// lines: a mode adds its stick only where its wavenumber is a grid point.
// Modes whose wavenumber is not finite add nothing.
void broaden(std::span<const float> sticks, std::span<const double> wavenumbers,
             VibrationStore::SpectrumBlock& block, int w);

// As modeWavenumbers, with the modes no spectrum shows (wavenumber <= 0,
// imaginary) as NaN, which broaden skips.
std::vector<double> spectrumWavenumbers(const VibrationStore& store, std::size_t count);

// The plain spectrum: each mode's printed IR intensity in km/mol as its
// stick (absorbance goes with the square of the dipole derivative),
// broadened into block 0. Needs no dipole derivatives.
class SpectrumCalculator {
  public:
    // Block 0 and the store's intensityMaximum (the preview scales by it).
    void compute(int w, VibrationStore& store);
};

} // namespace kalviro
