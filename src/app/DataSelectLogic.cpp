#include "app/DataSelectLogic.h"

#include "app/DialogTextLogic.h"
#include "model/VibrationStore.h"
#include "platform/Platform.h"

namespace kalviro {

std::string modeEntryText(const std::string& frequency, const std::string& symmetry,
                          const std::string& intensity) {
    return frequency + " cm-1 ( " + symmetry + " , " + intensity + " )";
}

std::vector<ModeEntry> modeEntries(const VibrationStore& v) {
    std::vector<ModeEntry> entries;
    // The three texts come from the same table; a short one only blanks its part.
    for (std::size_t i = 0; i < v.frequencies.size(); ++i) {
        if (v.frequencies[i].empty())
            continue;
        const std::string sym = i < v.symmetries.size() ? v.symmetries[i] : std::string();
        const std::string inten = i < v.intensities.size() ? v.intensities[i] : std::string();
        entries.push_back({static_cast<int>(i), modeEntryText(v.frequencies[i], sym, inten)});
    }
    return entries;
}

} // namespace kalviro
