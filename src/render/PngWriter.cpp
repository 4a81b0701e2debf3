#include "render/PngWriter.h"

#include <csetjmp>
#include <cstdint>
#include <png.h>

#include "render/Frame.h"

namespace kalviro {
namespace {

void appendToString(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void flushNothing(png_structp) {}

} // namespace

std::string pngBytes(const Picture& p) {
    const std::size_t rowBytes = static_cast<std::size_t>(p.width) * 3;
    if (p.width <= 0 || p.height <= 0 || p.rgb.size() < rowBytes * p.height)
        return {};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return {};
    png_infop info = png_create_info_struct(png);
    std::string out;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendToString, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(p.width), static_cast<png_uint_32>(p.height),
                 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int row = p.height - 1; row >= 0; --row)
        png_write_row(png, p.rgb.data() + static_cast<std::size_t>(row) * rowBytes);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

} // namespace kalviro
