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

    double dot(const Vector3& o) const { return x * o.x + y * o.y + z * o.z; }
    Vector3 cross(const Vector3& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    double length() const { return std::sqrt(dot(*this)); }

    bool operator==(const Vector3&) const = default;
};

inline Vector3 operator+(const Vector3& a, const Vector3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vector3 operator-(const Vector3& a, const Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vector3 operator*(const Vector3& a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}

} // namespace kalviro
