#pragma once
// What every Gaussian load starts from: the molecule back in its loaded
// orientation, no pending rotation, the analysis dialogs closed and the
// flags of the previous analysis cleared.

#include <functional>

namespace kalviro {

struct Document;

// closeDialogs closes the modeless analysis dialogs of the window showing
// doc (data selection, axis, preview, rotation, in that order); empty where
// there is no window.
void resetAnalysis(Document& doc, const std::function<void()>& closeDialogs = {});

// Before a file replaces the document: resetAnalysis, then everything that
// belonged to the previous file goes (modes, arrows, dipole data, the kept Hessian, picks,
// rotation totals, contours) and the camera is fitted afresh on the next
// frame. Display switches and the drawing style stay.
void resetForNewFile(Document& doc, const std::function<void()>& closeDialogs = {});

} // namespace kalviro
