#pragma once
// The data selection dialog's texts and its reading of the orbital number,
// without the window.

#include <string>
#include <vector>

namespace kalviro {

struct VibrationStore;

// "1000 cm-1 ( A1 , 12 )": frequency, symmetry species and intensity as printed.
std::string modeEntryText(const std::string& frequency, const std::string& symmetry,
                          const std::string& intensity);

// One entry per mode in file order, skipping modes whose frequency is empty.
// Each entry keeps the index of its mode.
struct ModeEntry {
    int mode = 0;
    std::string text;
};
std::vector<ModeEntry> modeEntries(const VibrationStore& v);

} // namespace kalviro
