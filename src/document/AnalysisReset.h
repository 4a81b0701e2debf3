#pragma once
// What every Gaussian load starts from: the molecule back in its loaded
// orientation, no pending rotation, the analysis dialogs closed and the
// flags of the previous analysis cleared.

#include <functional>

namespace kalviro {

struct MoleculeState;
struct VibrationStore;
struct ViewSettings;
struct OrbitalFlags;

// The modeless dialogs the reset closes, in the order it closes them.
enum class AnalysisDialog { DataSelection, Axis, Preview, Rotation };

// Each dialog registers how it closes itself (window destroyed, instance
// deleted); an empty function removes the entry.
void setDialogCloser(AnalysisDialog dialog, std::function<void()> close);
// Forgets every registered closer (tests, shutdown).
void clearDialogClosers();

void resetAnalysis(MoleculeState& molecule, VibrationStore& store, ViewSettings& settings,
                   OrbitalFlags& orbital);
// The same on the process-wide objects.
void resetAnalysis();

} // namespace kalviro
