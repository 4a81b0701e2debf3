#pragma once
// What the spectrum window needs besides the curve: the range that shows
// every mode, the sticks of the modes, which peaks get a label, and which
// mode a click at a wavenumber means.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ir/SpectrumEngine.h"
#include "model/VibrationStore.h"

namespace kalviro {

// One mode as a stick: its index in the store, wavenumber as printed (before
// scaling), height (km/mol; for Raman, relative intensity or the printed
// activity, as ramanSettings chooses) and species.
struct ModeStick {
    int mode = 0;
    double wavenumber = 0.0;
    double height = 0.0;
    std::string species;
};

// The modes with a wavenumber > 0: IR intensities in km/mol, or, when raman
// and the store has activities, what ramanSettings makes of them.
std::vector<ModeStick> modeSticks(const VibrationStore& store, bool raman,
                                  const RamanSettings& ramanSettings = {});

// The sticks the engine broadens.
std::vector<Stick> engineSticks(std::span<const ModeStick> sticks);

// A range holding every stick after scaling (factor * nu + shift), widened by
// 5 % of its span on each side and rounded out to whole hundreds of cm-1;
// never below 0. The default 600 .. 1499 when no stick lies above 0.
SpectrumGrid fullRange(std::span<const ModeStick> sticks, const BroadeningSettings& settings);

// Indices into sticks of the n tallest whose scaled wavenumber lies within
// the grid's range, tallest first.
std::vector<std::size_t> labelledPeaks(std::span<const ModeStick> sticks,
                                       const BroadeningSettings& settings, std::size_t n);

// "2028 B1": the scaled wavenumber, whole, and the species.
std::string peakLabel(const ModeStick& stick, const BroadeningSettings& settings);

// The mode of the stick nearest to wavenumber x (scaled), when it is within
// tolerance cm-1; among equally near ones the taller.
std::optional<int> modeNear(std::span<const ModeStick> sticks, const BroadeningSettings& settings,
                            double x, double tolerance);

// A field's text as a number: the whole text (blanks around allowed), finite.
std::optional<double> fieldNumber(const std::string& text);

} // namespace kalviro
