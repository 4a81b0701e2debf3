#include "app/RotationAngleLogic.h"

#include <cmath>

#include "app/DialogTextLogic.h"
#include "model/NumberText.h"
#include "model/MoleculeState.h"
#include "platform/Platform.h"

namespace kalviro {

std::optional<RotationAngles> computeRotationAngles(const Vector3& p1, const Vector3& p2) {
    const double vx = p2.x - p1.x, vy = p2.y - p1.y, vz = p2.z - p1.z;
    const double length = std::sqrt(vx * vx + vy * vy + vz * vz);
    if (!(length > 0.0))
        return std::nullopt;
    const double ux = vx / length, uy = vy / length, uz = vz / length;
    const double alpha = std::atan2(uy, uz);
    // Length of (uy, uz): where u lies in the XZ plane after the X turn.
    const double rho = uy * std::sin(alpha) + uz * std::cos(alpha);
    const double beta = std::atan2(rho, ux);
    const double k = 180.0 / (4.0 * std::atan(1.0));
    return RotationAngles{static_cast<float>(alpha * k), static_cast<float>(beta * k)};
}

bool applyRotationAtoms(MoleculeState& m, const std::string& firstText,
                        const std::string& secondText) {
    const int first = leadingInteger(firstText);
    const int second = leadingInteger(secondText);
    const auto count = static_cast<long long>(m.atoms.size());
    const auto valid = [count](int n) { return n >= 1 && n <= count; };
    std::optional<RotationAngles> angles;
    if (first != second && valid(first) && valid(second))
        angles =
            computeRotationAngles(m.atoms[first - 1].position(), m.atoms[second - 1].position());
    if (!angles) {
        showMessage("原子番号の選択が不適切です。");
        return false;
    }
    m.pendingRotationX = angles->aboutX;
    m.pendingRotationY = angles->aboutY;
    return true;
}

} // namespace kalviro
