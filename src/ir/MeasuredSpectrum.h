#pragma once
// A measured spectrum read from a JCAMP-DX or two-column text file, and what
// the program asks of it before drawing it over a calculated spectrum.

#include <string>
#include <vector>

#include "model/readers/ReadResult.h"

namespace kalviro {

struct MeasuredSpectrum {
    std::string title;
    std::string dataType; // as in the file ("INFRARED SPECTRUM"); empty for text files
    std::string xUnits;   // as in the file ("1/CM", "MICROMETERS", "PPM")
    std::string yUnits;   // as in the file ("TRANSMITTANCE", "%T", "ABSORBANCE")
    // x in cm-1 when xIsWavenumber (1/CM, or MICROMETERS / NANOMETERS converted);
    // otherwise as read, times XFACTOR. y as read, times YFACTOR.
    std::vector<double> x;
    std::vector<double> y;
    bool xIsWavenumber = false;
    // What did not add up (point count, first and last x, check values), for the user.
    std::vector<std::string> warnings;
};

// JCAMP-DX 4.24 / 5.x: the first spectrum of the file (the first block that
// holds ##XYDATA=(X++(Y..Y)), ##XYPOINTS or ##PEAK TABLE). fileName only
// names the file in messages.
ReadResult<MeasuredSpectrum> readJcampDx(const std::string& text, const std::string& fileName);

// Two columns x, y separated by commas, tabs, semicolons or blanks, decimal
// point, an optional header line before the numbers; further columns are
// ignored. x is taken as cm-1. A header naming transmittance or absorbance
// sets yUnits.
ReadResult<MeasuredSpectrum> readSpectrumText(const std::string& text, const std::string& fileName);

// Reads the file at path: JCAMP-DX when its first label line starts with
// "##", two-column text otherwise.
ReadResult<MeasuredSpectrum> readMeasuredSpectrumFile(const std::string& path);

// Y is transmittance (TRANSMITTANCE, TRANSMISSION, %T in YUNITS).
bool isTransmittance(const MeasuredSpectrum& s);
// Y is in percent: YUNITS says so (%T, PERCENT), or transmittance whose
// largest value exceeds 1.5.
bool isPercent(const MeasuredSpectrum& s);
// The curve to show as absorbance: -log10 T for transmittance (T from
// percent when isPercent, clipped to at least 1e-4 since real files hold
// T = 0); y unchanged otherwise.
std::vector<double> absorbanceCurve(const MeasuredSpectrum& s);

// Empty when s can be drawn over a vibrational spectrum (infrared or Raman
// data, or a text file, with x in cm-1); otherwise the reason, in Japanese,
// naming fileName.
std::string overlayRefusal(const MeasuredSpectrum& s, const std::string& fileName);
// The spectrum at path, read and checked by overlayRefusal: the reason, naming
// the file, when it cannot be drawn over a vibrational spectrum.
ReadResult<MeasuredSpectrum> readOverlaySpectrum(const std::string& path);

} // namespace kalviro
