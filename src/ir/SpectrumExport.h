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

} // namespace kalviro
