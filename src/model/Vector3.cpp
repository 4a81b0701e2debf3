#include "model/Vector3.h"

namespace kalviro {

void Vector3::rotateXY(double a, double b) {
    const double A = a * degToRad();
    const double B = b * degToRad();
    const double y1 = std::cos(A) * y - std::sin(A) * z;
    const double z1 = std::sin(A) * y + std::cos(A) * z;
    const double x2 = std::cos(B) * x + std::sin(B) * z1;
    const double z2 = std::cos(B) * z1 - std::sin(B) * x;
    x = x2;
    y = y1;
    z = z2;
}

void Vector3::rotateZ(double c) {
    const double C = c * degToRad();
    const double x1 = std::cos(C) * x + std::sin(C) * y;
    const double y1 = std::cos(C) * y - std::sin(C) * x;
    x = x1;
    y = y1;
}

} // namespace kalviro
