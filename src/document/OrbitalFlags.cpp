#include "document/OrbitalFlags.h"

namespace kalviro {
namespace {
OrbitalFlags theFlags;
}

OrbitalFlags& orbitalFlags() {
    return theFlags;
}

void resetOrbitalFlags() {
    theFlags = OrbitalFlags{};
}

} // namespace kalviro
