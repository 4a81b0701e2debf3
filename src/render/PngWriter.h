#pragma once
// A minimal PNG encoder for the batch renderer: 8-bit RGB, no filtering,
// stored (uncompressed) deflate blocks, so it needs no compression library.

#include <string>

namespace kalviro {

struct Picture;

std::string pngBytes(const Picture& p);

} // namespace kalviro
