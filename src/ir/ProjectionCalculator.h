#pragma once
// Relative intensities of a molecule lying on a surface (the XZ plane, normal
// +Y): each mode's dipole derivative is turned by 15 degree steps about one
// axis and the square of its normal component broadened into one spectrum
// block per angle.

#include <vector>

#include "model/Vector3.h"
#include "model/VibrationStore.h"

namespace kalviro {

class ProjectionCalculator {
  public:
    virtual ~ProjectionCalculator() = default;
    // Blocks 0 .. spectrumCount - 1 (angle 15 a for block a) and the maximum
    // over all modes and angles (the store's intensityMaximum).
    void compute(int w, VibrationStore& store);
    // The copied vector of mode turned by angleDegrees; the copy stays as is.
    virtual Vector3 rotate(int angleDegrees, unsigned mode) const = 0;

  protected:
    std::vector<Vector3> dipoleDerivatives_;
};

// Turns about X: (x, y cos - z sin, y sin + z cos).
class XAxisProjection final : public ProjectionCalculator {
  public:
    Vector3 rotate(int angleDegrees, unsigned mode) const override;
};

// Turns about Z: (x cos - y sin, x sin + y cos, z).
class ZAxisProjection final : public ProjectionCalculator {
  public:
    Vector3 rotate(int angleDegrees, unsigned mode) const override;
};

} // namespace kalviro
