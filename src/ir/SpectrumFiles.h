#pragma once
// The bytes of the files a broadened spectrum is saved as: a CSV table and
// JCAMP-DX 5.01. The caller writes them with the program's safe file writer.

#include <string>

#include "ir/SpectrumEngine.h"
#include "model/readers/ReadResult.h"

namespace kalviro {

// True for 600 .. 1499 step 1, Lorentzian, factor 1, shift 0 (any width).
bool isDefaultBroadening(const BroadeningSettings& settings);

// "x,y" per point with CR LF, x as %.6f and y as %.10g (three-digit
// exponents). Unless isDefaultBroadening, "#" lines first giving the range,
// step, shape, width, eta, factor and shift.
std::string spectrumCsv(const SpectrumCurve& curve, const BroadeningSettings& settings);

struct JcampDxHeader {
    std::string title;
    std::string dataType = "INFRARED SPECTRUM";
    std::string yUnits = "ARBITRARY UNITS";
};

// JCAMP-DX 5.01 with ##XYDATA=(X++(Y..Y)) in AFFN, lines of at most 80
// characters, CR LF. The curve's x must be evenly spaced (cm-1); Y is written
// as integers times a ##YFACTOR of a power of ten that keeps six significant
// digits of the largest |y|. Fails on an empty curve, x and y of different
// lengths, or values that are not finite.
ReadResult<std::string> jcampDxBytes(const SpectrumCurve& curve, const JcampDxHeader& header);

} // namespace kalviro
