#pragma once
// The stages that choose the optional drawers of a frame. They read the
// process-wide settings, the mouse state and the orbital flags.

#include "render/AnnotationDrawers.h"
#include "render/MoleculeDrawers.h"
#include "render/SceneDrawer.h"

namespace kalviro {

struct AngleLabelStage : StageFor<AngleLabelDrawer> {
    std::uint8_t isActive() const override;
};
struct DipoleStage : StageFor<DipoleDrawer> {
    std::uint8_t isActive() const override;
};
struct AxesStage : StageFor<AxesDrawer> {
    std::uint8_t isActive() const override;
};
struct SurfaceStage : StageFor<SurfaceDrawer> {
    std::uint8_t isActive() const override;
};
struct AtomStage : StageFor<AtomDrawer> {
    std::uint8_t isActive() const override;
};
struct BondStage : StageFor<BondDrawer> {
    std::uint8_t isActive() const override { return 1; }
};
struct ModeVectorStage : StageFor<ModeVectorDrawer> {
    std::uint8_t isActive() const override;
};
struct AtomNumberStage : StageFor<AtomNumberDrawer> {
    std::uint8_t isActive() const override;
};
struct OrbitalStage : StageFor<OrbitalDrawer> {
    std::uint8_t isActive() const override;
};

} // namespace kalviro
