#pragma once
// The two spectrum tables the program writes: "IRSpec.csv" (block 0) and
// "spec.csv" (every block, one column per angle). CR LF line ends, every
// line ends with a comma.

#include <string>

#include "model/VibrationStore.h"

namespace kalviro {

// 900 lines "600+j,S_j,".
std::string irSpectrumCsv(const VibrationStore& store);
// The header ",0,15,...,165," and 900 lines "600+j,S_0j,S_1j,...,".
std::string relativeIntensityCsv(const VibrationStore& store);

// Write the process-wide spectra to path; false (message shown) when the
// spectrum was not calculated yet or the file could not be saved.
bool writeIrSpectrum(const std::string& path);
bool writeRelativeIntensity(const std::string& path);

// The menu commands: check that a spectrum exists, ask for the file, write.
void OnSaveIrSpectrum();
void OnSaveRelativeIntensity();

} // namespace kalviro
