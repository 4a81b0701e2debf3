#include "document/OrbitalSelection.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "document/Document.h"
#include "model/FileKind.h"
#include "model/NumberText.h"
#include "model/TextLineReader.h"
#include "orbital/CheckpointReader.h"
#include "orbital/ContourStore.h"
#include "orbital/Isosurface.h"
#include "orbital/MolecularOrbital.h"
#include "platform/Messages.h"
#include "platform/Platform.h"

namespace kalviro {
namespace {

bool showOutcome(const OrbitalOutcome& outcome) {
    for (const std::string& text : outcome.messages)
        showMessage(text);
    return outcome.computed;
}

// The contours in the frame of the molecule shown.
void placeContours(ContourStore& c, const FrameAlignment& f) {
    for (auto* points : {&c.currentPoints, &c.loadedPoints})
        for (Vector3& p : *points)
            p = f.place(p);
}

// Calculates on copies: a file without coefficients for the spin is told
// and leaves doc as it was (nullopt); any other outcome is taken, a failed
// calculation leaving no contours and no surfaces.
std::optional<bool> calculate(Document& doc, CheckpointState state, int orbitalIndex, Spin spin) {
    ContourStore contours;
    auto mo = std::make_unique<MolecularOrbital>();
    const OrbitalOutcome outcome =
        computeFileOrbital(state.checkpointPath, spin, orbitalIndex, *mo, state, contours);
    showOutcome(outcome);
    if (outcome.noCoefficients)
        return std::nullopt;
    OrbitalSurfaces surfaces;
    if (outcome.computed)
        surfaces = traceOrbitalSurfaces(contourGridOf(*mo), doc.view.isoValue);
    if (state.placement) {
        placeContours(contours, *state.placement);
        surfaces.place(*state.placement);
    }
    doc.checkpoint = std::move(state);
    doc.contours = std::move(contours);
    doc.surfaces = std::move(surfaces);
    return outcome.computed;
}

} // namespace

int getOrbitalNumber(OrbitalFields& f, std::string_view typed) {
    f.orbitalNumber = leadingInteger(typed);
    if (f.orbitalNumber > 0 && f.orbitalNumber <= f.orbitalMax)
        return f.orbitalNumber;
    showMessage(msg::kBadOrbitalNumberUseHomo);
    return 0;
}

bool setIsoValue(ViewSettings& view, std::string_view typed) {
    char* end = nullptr;
    const std::string text(typed);
    const double v = std::strtod(text.c_str(), &end);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == text.c_str() || *end != '\0' || !(v > 0.0) || !std::isfinite(v)) {
        showMessage(msg::kBadIsoValue);
        return false;
    }
    view.isoValue = v;
    return true;
}

bool openCheckpoint(Document& doc, const std::string& path,
                    std::optional<FrameAlignment> placement) {
    const FileKind kind = fileKindOf(path);
    if (kind != FileKind::Checkpoint && kind != FileKind::Molden) {
        showMessage(msg::kUnsupportedFile);
        return false;
    }
    {
        // Refuse before anything changes, so the previous file stays current.
        std::unique_ptr<std::FILE, FileCloser> probe(openForReading(path));
        if (!probe) {
            showMessage(msg::kCannotOpenFile);
            return false;
        }
    }
    CheckpointState next = doc.checkpoint;
    next.checkpointPath = path;
    next.placement = std::move(placement);
    // A failed calculation has been reported and left no contours; the file's
    // numbers are still shown so that another orbital can be chosen.
    if (!calculate(doc, std::move(next), -1, Spin::Alpha).has_value())
        return false;
    const CheckpointState& state = doc.checkpoint;

    OrbitalFields& f = doc.orbitalFields;
    f.orbitalNumber = state.homoNumber;
    f.homoLabel = "HOMO";
    f.homoValue = state.homoNumber;
    f.orbitalRange = "(1-" + std::to_string(state.alphaCount) + ")";
    f.orbitalMax = state.alphaCount;
    f.betaMax = state.betaCount;
    doc.orbitalFlags.orbitalLoaded = true;
    return true;
}

FileDialogRequest checkpointOpenRequest() {
    FileDialogRequest r;
    r.filter = "FCHK(*.FChk)|*.FChk;*.fchk;*.FCHK;*.fch;*.FCH|Molden(*.molden)|*.molden;*.molf|";
    // A name typed without extension is meant as a checkpoint file.
    r.defaultExtension = "fchk";
    r.hideReadOnly = true;
    r.overwritePrompt = true;
    return r;
}

bool computeOrbital(Document& doc, std::string_view typedNumber, Spin spin) {
    const int n = getOrbitalNumber(doc.orbitalFields, typedNumber);
    return calculate(doc, doc.checkpoint, n - 1, spin).value_or(false);
}

} // namespace kalviro
