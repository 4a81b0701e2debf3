#include "document/AnalysisReset.h"

#include <array>

#include "document/OrbitalFlags.h"
#include "document/ViewSettings.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"

namespace kalviro {
namespace {

constexpr std::size_t kDialogCount = 4;

std::array<std::function<void()>, kDialogCount>& closers() {
    static std::array<std::function<void()>, kDialogCount> c;
    return c;
}

} // namespace

void setDialogCloser(AnalysisDialog dialog, std::function<void()> close) {
    closers()[static_cast<std::size_t>(dialog)] = std::move(close);
}

void clearDialogClosers() {
    for (auto& c : closers())
        c = nullptr;
}

void resetAnalysis(MoleculeState& molecule, VibrationStore& store, ViewSettings& settings,
                   OrbitalFlags& orbital) {
    restoreAllPositions(molecule);
    clearPendingRotation(molecule);
    // A closer may unregister itself while it runs, so call a copy.
    for (std::size_t i = 0; i < kDialogCount; ++i) {
        if (auto close = closers()[i])
            close();
    }
    orbital.orbitalShown = 0;
    orbital.orbitalLoaded = 0;
    store.spectrumReady = false;
    // Blocks the next calculation does not write must not show old curves.
    store.clearSpectra();
    settings.dipolesLoaded = false;
    settings.modesLoaded = false;
    settings.dipoleShown = false;
    settings.surfaceShown = false;
}

void resetAnalysis() {
    resetAnalysis(moleculeState(), vibrationStore(), viewSettings(), orbitalFlags());
}

} // namespace kalviro
