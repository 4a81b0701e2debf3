#include "orbital/OrbitalExport.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace kalviro {
namespace {

void append(std::string& out, const char* fmt, ...) {
    char buffer[160];
    va_list args;
    va_start(args, fmt);
    const int n = std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    if (n > 0)
        out.append(buffer, static_cast<std::size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}

} // namespace

std::string cubeFileText(const MolecularOrbital& mo, const std::string& title,
                         const std::string& comment) {
    std::string out;
    out.reserve(static_cast<std::size_t>(kGridValues) * 14 + 4096);
    out += title + "\r\n" + comment + "\r\n";
    const std::size_t atoms = std::min(mo.atomicNumbers.size(), mo.atomPositions.size());
    append(out, "%5d%12.6f%12.6f%12.6f\r\n", static_cast<int>(atoms), mo.gridOrigin[0],
           mo.gridOrigin[1], mo.gridOrigin[2]);
    for (int axis = 0; axis < 3; ++axis)
        append(out, "%5d%12.6f%12.6f%12.6f\r\n", kGridSize, axis == 0 ? mo.gridStep[0] : 0.0,
               axis == 1 ? mo.gridStep[1] : 0.0, axis == 2 ? mo.gridStep[2] : 0.0);
    for (std::size_t n = 0; n < atoms; ++n)
        append(out, "%5d%12.6f%12.6f%12.6f%12.6f\r\n", mo.atomicNumbers[n],
               static_cast<double>(mo.atomicNumbers[n]), mo.atomPositions[n][0],
               mo.atomPositions[n][1], mo.atomPositions[n][2]);
    for (int x = 0; x < kGridSize; ++x)
        for (int y = 0; y < kGridSize; ++y) {
            for (int z = 0; z < kGridSize; ++z) {
                append(out, "%13.5E", static_cast<double>(mo.at(x, y, z)));
                if (z % 6 == 5 || z == kGridSize - 1)
                    out += "\r\n";
            }
        }
    return out;
}

std::string contourText(const ContourStore& store) {
    std::string out;
    std::size_t first = 0;
    for (const ContourLoop& loop : store.loops) {
        if (first > 0)
            out += "\r\n";
        append(out, "%s %d\r\n", loop.signCode == 0 ? "+1" : "-1", loop.pointCount);
        for (std::int32_t k = 0; k < loop.pointCount && first + k < store.loadedPoints.size();
             ++k) {
            const Vector3& p = store.loadedPoints[first + static_cast<std::size_t>(k)];
            append(out, "%.6f %.6f %.6f\r\n", p.x, p.y, p.z);
        }
        first += static_cast<std::size_t>(loop.pointCount);
    }
    return out;
}

} // namespace kalviro
