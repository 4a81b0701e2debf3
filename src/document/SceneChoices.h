#pragma once
// What the dialogs beside the view choose for the drawers: the normal mode
// whose arrows are drawn (and that names a saved picture) and the atom the
// dipole arrow starts from. The dialogs write these; the drawers only read.

#include <cstdint>
#include <string>

namespace kalviro {

struct SceneChoices {
    std::int32_t selectedMode = 0;   // zero-based index into the mode lists
    std::string dipoleOrigin = "-1"; // 1-based atom number as typed; else the origin
};

} // namespace kalviro
