#include "model/VibrationStore.h"

#include <algorithm>

namespace kalviro {
void VibrationStore::clearVibrations() {
    program.clear();
    frequencies.clear();
    symmetries.clear();
    intensities.clear();
    ramanActivities.clear();
    modes.clear();
    preciseModes.clear();
    dipoleDerivatives.clear();
    intensityToKmPerMol = 1.0;
    sources = {};
}

void VibrationStore::saveVectors() {
    savedDipoleDerivatives = dipoleDerivatives;
    savedModes = modes;
}

void VibrationStore::restoreVectors() {
    // Index by index, sizes unchanged: only what both lists hold is copied.
    const std::size_t nm = std::min(savedModes.size(), modes.size());
    for (std::size_t m = 0; m < nm; ++m) {
        const std::size_t na = std::min(savedModes[m].size(), modes[m].size());
        std::copy_n(savedModes[m].begin(), na, modes[m].begin());
    }
    const std::size_t nd = std::min(savedDipoleDerivatives.size(), dipoleDerivatives.size());
    std::copy_n(savedDipoleDerivatives.begin(), nd, dipoleDerivatives.begin());
}

void VibrationStore::clearSpectra() {
    for (auto& block : spectra)
        block.fill(0.0f);
}

void VibrationStore::rotateModesXY(double a, double b) {
    for (auto& mode : modes)
        for (auto& v : mode)
            v.rotateXY(a, b);
}

void VibrationStore::rotateDipolesXY(double a, double b) {
    for (auto& v : dipoleDerivatives)
        v.rotateXY(a, b);
}

void VibrationStore::rotateModesZ(double c) {
    for (auto& mode : modes)
        for (auto& v : mode)
            v.rotateZ(c);
}

void VibrationStore::rotateDipolesZ(double c) {
    for (auto& v : dipoleDerivatives)
        v.rotateZ(c);
}

} // namespace kalviro
