#pragma once
// Saving the view as an uncompressed 24-bit BMP file.

#include <cstdint>
#include <string>
#include <vector>

namespace kalviro {

class GlSurface;
struct Document;
struct Picture;
struct VibrationStore;

// The client width cut to the largest multiple of 4 not above it, so rows
// need no padding.
int bmpWidth(int clientWidth);

// The whole file: 14-byte file header, 40-byte info header, then the rows
// bottom-up in blue, green, red order.
std::string bmpBytes(const Picture& p);

// The proposed file name: the selected mode's frequency text + "cm-1", or
// "default" before any frequencies were read.
std::string defaultImageName(const VibrationStore& v, int selectedMode);

// The chosen path as written: kept when it ends in ".bmp" or ".png" (any
// case), else with ".bmp" added.
std::string pictureFileName(const std::string& path);

class BitmapWriter {
  public:
    virtual ~BitmapWriter() = default;
    // Asks for a path, draws the frame again, reads it and writes the file:
    // PNG when the name ends in ".png", else BMP.
    // False when cancelled or not written (the user was told).
    bool save(GlSurface& surface, Document& doc);
};

} // namespace kalviro
