#pragma once
// Turning the model so that the direction from one atom to another lies
// along +X: the angles, and the checks on the typed atom numbers.

#include <optional>
#include <string>

#include "model/Vector3.h"

namespace kalviro {

struct MoleculeState;

struct RotationAngles {
    float aboutX = 0; // degrees, applied first
    float aboutY = 0; // degrees, applied second
};

// The rotation about X, then Y, that carries the direction p1 -> p2 onto +X;
// nullopt when the two points coincide.
std::optional<RotationAngles> computeRotationAngles(const Vector3& p1, const Vector3& p2);

// The dialog's OK: reads both numbers as typed; valid distinct atoms at
// distinct positions set the pending X and Y rotations, anything else shows
// "原子番号の選択が不適切です。" and changes nothing. Returns whether the
// angles were set.
bool applyRotationAtoms(MoleculeState& m, const std::string& firstText,
                        const std::string& secondText);

} // namespace kalviro
