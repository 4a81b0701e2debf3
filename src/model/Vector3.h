#pragma once
// A position or a vector (x, y, z) and the two rotations the view applies to
// coordinates. Angles are in degrees.

#include <cmath>

namespace kalviro {

// pi/180 as the program has always computed it.
inline double degToRad() { return std::atan(1.0) / 45.0; }

struct Vector3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    // Rotation about X by a, then about Y by b.
    void rotateXY(double a, double b);
    // Rotation about Z by c (clockwise seen from +Z: (1,0,0) goes to (0,-1,0) at 90).
    void rotateZ(double c);

    bool operator==(const Vector3&) const = default;
};

} // namespace kalviro
