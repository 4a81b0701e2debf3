#pragma once
// Changing atoms' masses after a file was opened: the Hessian the modes came
// from is kept with the document, and the modes, frequencies, intensities
// and dipole derivatives are computed again from it with the new masses.

#include <optional>
#include <string>
#include <string_view>

#include "model/FrameAlignment.h"
#include "model/VibrationalAnalysis.h"
#include "model/readers/FrequencyJob.h"

namespace kalviro {

struct Document;

// The Hessian input of the open file (a frequency checkpoint file, or the
// checkpoint file paired with an output), masses as last used.
struct KeptHessian {
    HessianInput input;
    // The checkpoint's frame onto the document's loaded frame (identity when
    // the checkpoint file itself was opened).
    FrameAlignment toLoaded;
};

// The job an analysis describes: input's atoms, and the modes,
// intensities and dipole derivatives of the analysis, texts as Gaussian
// prints them. Hessians carry no symmetry species: those stay empty.
FrequencyJob jobOfAnalysis(const HessianInput& input, const VibrationalAnalysis& analysis);

// Computes the modes again with changes ("3=2H,4=13C,5=17.9992", see
// parseIsotopeChanges) applied on top of the masses used so far, replaces
// the document's modes, texts and dipole derivatives (in the view's current
// frame), clears the spectra, and returns the status-bar text. Without a
// kept Hessian, or on a bad list, the message is shown (fileName names the
// open file) and nothing changes: nullopt.
std::optional<std::string> changeIsotopes(Document& doc, std::string_view changes,
                                          const std::string& fileName);

} // namespace kalviro
