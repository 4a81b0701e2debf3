#include "render/FrameSteps.h"

#include "model/MoleculeState.h"
#include "orbital/ContourStore.h"
#include "document/OrbitalFlags.h"
#include "document/ViewSettings.h"

namespace kalviro {

RotationTotals runFrameSteps(MoleculeState& m, VibrationStore& v, ContourStore& contours,
                             const ViewSettings& s, const OrbitalFlags& orbital) {
    const RotationTotals before{m.rotationX, m.rotationY, m.rotationZ};
    if (s.viewpointMode) {
        m.viewValue += m.pendingRotationY;
    } else {
        applyPendingRotation(m, v, s.dipolesLoaded, s.modesLoaded);
        if (orbital.orbitalShown != 0)
            contours.rotateContours(m.pendingRotationX, m.pendingRotationY);
    }
    perceiveBonds(m);
    accumulateRotation(m);
    return before;
}

} // namespace kalviro
