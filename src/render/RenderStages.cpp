#include "render/RenderStages.h"

#include "model/MoleculeState.h"
#include "document/OrbitalFlags.h"
#include "document/ViewSettings.h"

namespace kalviro {
namespace {
// While the right button is held only the cheap parts of the scene are drawn.
bool rotating() {
    return moleculeState().drag.rotating != 0;
}
} // namespace

std::uint8_t AngleLabelStage::isActive() const {
    return viewSettings().anglesShown == 1;
}
std::uint8_t DipoleStage::isActive() const {
    return viewSettings().dipoleShown == 1 && !rotating();
}
std::uint8_t AxesStage::isActive() const {
    return viewSettings().axesShown == 1;
}
std::uint8_t SurfaceStage::isActive() const {
    return viewSettings().surfaceShown == 1;
}
std::uint8_t AtomStage::isActive() const {
    return !rotating() && viewSettings().atomsShown == 1;
}
std::uint8_t ModeVectorStage::isActive() const {
    return viewSettings().modesShown == 1 && !rotating();
}
std::uint8_t AtomNumberStage::isActive() const {
    return viewSettings().numbersShown == 1 && !rotating();
}
std::uint8_t OrbitalStage::isActive() const {
    return orbitalFlags().orbitalShown == 1 && !rotating();
}

} // namespace kalviro
