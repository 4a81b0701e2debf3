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
