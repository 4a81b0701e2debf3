#include "render/FrameSteps.h"

#include "document/Document.h"

namespace kalviro {

RotationTotals runFrameSteps(Document& doc) {
    MoleculeState& m = doc.molecule;
    const ViewSettings& s = doc.view;
    if (s.viewpointMode) {
        m.viewValue += m.pendingRotationY;
    } else {
        applyPendingRotation(m, doc.vibrations, s.dipolesLoaded, s.modesLoaded);
        if (doc.orbitalFlags.orbitalShown)
            doc.contours.rotateContours(m.pendingRotationX, m.pendingRotationY);
        // Turned even while hidden, so that they still fit the atoms when shown.
        doc.surfaces.rotate(m.pendingRotationZ, m.pendingRotationX, m.pendingRotationY);
    }
    perceiveBonds(m);
    accumulateRotation(m);
    return {m.rotationX, m.rotationY, m.rotationZ};
}

} // namespace kalviro
