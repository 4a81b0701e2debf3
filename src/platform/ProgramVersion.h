#pragma once
// The release number both programs print, from the project's CMake version.

namespace kalviro {

// "0.1.0"
const char* programVersion();

} // namespace kalviro
