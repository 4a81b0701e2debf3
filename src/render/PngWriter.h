#pragma once
// Pictures as PNG files (8-bit RGB, compressed), written by libpng.

#include <string>

namespace kalviro {

struct Picture;

// The whole file, rows top-down (the picture holds them bottom-up, as GL
// reads them). Empty when libpng refuses the picture (no pixels, too large).
std::string pngBytes(const Picture& p);

} // namespace kalviro
