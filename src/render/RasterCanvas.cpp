#include "render/RasterCanvas.h"

#include <cstdlib>
#include <filesystem>
#include <vector>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace kalviro {
namespace {

constexpr int kFontPixels = 12;
constexpr int kTextBoxHeight = 16; // as the SVG canvas, so that layouts agree

const char* const kFontFiles[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
};

// The next code point of UTF-8 text; bad bytes are taken as they are.
char32_t nextCodePoint(const std::string& s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i++]);
    int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t c = more == 3 ? b & 0x07 : more == 2 ? b & 0x0F : more == 1 ? b & 0x1F : b;
    for (; more > 0 && i < s.size(); --more)
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return c;
}

} // namespace

// Every font found, in the order of kFontFiles: a character the first one
// lacks (IPA Gothic has no superscript minus) comes from the next that has it.
struct RasterCanvas::Font {
    FT_Library library = nullptr;
    std::vector<FT_Face> faces;
    ~Font() {
        for (FT_Face face : faces)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
    FT_Face faceFor(char32_t c) const {
        for (FT_Face face : faces)
            if (FT_Get_Char_Index(face, c) != 0)
                return face;
        return faces.front();
    }
};

RasterCanvas::RasterCanvas(int width, int height) {
    picture_.width = width < 0 ? 0 : width;
    picture_.height = height < 0 ? 0 : height;
    picture_.rgb.assign(static_cast<std::size_t>(picture_.width) * picture_.height * 3, 255);
    auto font = std::make_unique<Font>();
    if (FT_Init_FreeType(&font->library) != 0)
        return;
    for (const char* file : kFontFiles) {
        std::error_code ec;
        FT_Face face = nullptr;
        if (!std::filesystem::exists(file, ec) || FT_New_Face(font->library, file, 0, &face) != 0)
            continue;
        if (FT_Set_Pixel_Sizes(face, 0, kFontPixels) == 0)
            font->faces.push_back(face);
        else
            FT_Done_Face(face);
    }
    if (!font->faces.empty())
        font_ = std::move(font);
}

RasterCanvas::~RasterCanvas() = default;

void RasterCanvas::blend(int x, int y, const Colour& c, double alpha) {
    if (x < 0 || y < 0 || x >= picture_.width || y >= picture_.height)
        return;
    // The picture holds its rows bottom-up, as GL reads them.
    const std::size_t at = (static_cast<std::size_t>(picture_.height - 1 - y) * picture_.width + x) * 3;
    const std::uint8_t rgb[3] = {c.red, c.green, c.blue};
    for (int k = 0; k < 3; ++k)
        picture_.rgb[at + k] = static_cast<std::uint8_t>(picture_.rgb[at + k] * (1 - alpha) + rgb[k] * alpha + 0.5);
}

void RasterCanvas::dot(int x, int y) {
    const int w = pen_.width < 1 ? 1 : pen_.width;
    for (int dy = -(w - 1) / 2; dy <= w / 2; ++dy)
        for (int dx = -(w - 1) / 2; dx <= w / 2; ++dx)
            blend(x + dx, y + dy, pen_.colour, 1.0);
}

void RasterCanvas::drawLine(int x1, int y1, int x2, int y2) {
    // Bresenham, both ends included.
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    for (int err = dx + dy;;) {
        dot(x1, y1);
        if (x1 == x2 && y1 == y2)
            return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void RasterCanvas::drawText(const std::string& text, int x, int y) {
    if (!font_)
        return;
    // Black on a white box, as the SVG canvas and the window draw text.
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count)
        nextCodePoint(text, i);
    const int boxWidth = static_cast<int>(count) * kFontPixels * 6 / 10 + 2;
    for (int dy = 0; dy < kTextBoxHeight; ++dy)
        for (int dx = 0; dx < boxWidth; ++dx)
            blend(x + dx, y + dy, Colour{255, 255, 255}, 1.0);
    const int baseline = y + kTextBoxHeight - 4;
    int penX = x + 1;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = nextCodePoint(text, i);
        FT_Face face = font_->faceFor(c);
        // Outlines with light hinting: IPA Gothic's small bitmaps and its
        // full hinting both leave the underscore out.
        if (FT_Load_Char(face, c, FT_LOAD_RENDER | FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0)
            continue;
        const FT_GlyphSlot g = face->glyph;
        for (unsigned row = 0; row < g->bitmap.rows; ++row)
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                const unsigned char a = g->bitmap.buffer[row * g->bitmap.pitch + col];
                if (a)
                    blend(penX + g->bitmap_left + static_cast<int>(col),
                          baseline - g->bitmap_top + static_cast<int>(row), Colour{}, a / 255.0);
            }
        penX += static_cast<int>(g->advance.x >> 6);
    }
}

} // namespace kalviro
