#include "document/PickedAtoms.h"

#include <cmath>
#include <cstdio>

namespace kalviro {
namespace {

double degrees(double radians) {
    return radians * 45.0 / std::atan(1.0);
}

} // namespace

void PickedAtoms::clear() {
    for (std::int32_t& s : slots)
        s = 0;
    count = 0;
}

Measurement measurePicked(const PickedAtoms& p, const std::vector<Atom>& atoms) {
    if (p.count < 2 || p.count > PickedAtoms::kMaxPicks)
        return {};
    Vector3 r[PickedAtoms::kMaxPicks];
    for (int k = 0; k < p.count; ++k) {
        const int n = p.slots[k];
        if (n < 1 || static_cast<std::size_t>(n) > atoms.size())
            return {};
        r[k] = atoms[static_cast<std::size_t>(n - 1)].position();
    }
    Measurement m;
    m.atoms = p.count;
    if (p.count == 2) {
        m.value = (r[1] - r[0]).length();
    } else if (p.count == 3) {
        const Vector3 a = r[0] - r[1], b = r[2] - r[1];
        m.value = degrees(std::atan2(a.cross(b).length(), a.dot(b)));
    } else {
        const Vector3 b1 = r[1] - r[0], b2 = r[2] - r[1], b3 = r[3] - r[2];
        const Vector3 n1 = b1.cross(b2), n2 = b2.cross(b3);
        m.value = degrees(std::atan2(b2.length() * b1.dot(n2), n1.dot(n2)));
    }
    return m;
}

std::string measurementText(const PickedAtoms& p, const std::vector<Atom>& atoms) {
    const Measurement m = measurePicked(p, atoms);
    if (m.atoms == 0)
        return {};
    std::string text = m.atoms == 2 ? "距離 " : m.atoms == 3 ? "角度 " : "二面角 ";
    for (int k = 0; k < m.atoms; ++k)
        text += (k ? "-" : "") + std::to_string(p.slots[k]);
    char value[48];
    if (m.atoms == 2)
        std::snprintf(value, sizeof value, ": %.4f Å", m.value);
    else
        std::snprintf(value, sizeof value, ": %.2f°", m.value);
    return text + value;
}

} // namespace kalviro
