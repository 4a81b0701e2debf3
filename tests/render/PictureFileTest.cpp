#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "model/VibrationStore.h"
#include "render/AnnotationDrawers.h"
#include "render/BitmapWriter.h"
#include "render/Frame.h"
#include "render/PngWriter.h"
#include "render/RasterCanvas.h"
#include "document/SceneChoices.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::le32;

std::string hex(const std::string& b) {
    static const char* d = "0123456789abcdef";
    std::string out;
    for (unsigned char c : b) {
        out += d[c >> 4];
        out += d[c & 15];
    }
    return out;
}

TEST(BmpTest, HeaderOfA401By300View) {
    Picture p;
    p.width = bmpWidth(401);
    p.height = 300;
    ASSERT_EQ(p.width, 400);
    p.rgb.assign(400 * 300 * 3, 0);
    const std::string b = bmpBytes(p);
    ASSERT_EQ(b.size(), 360054u);
    // 'BM', size 360054 (0x057E76), reserved, offset 54, header 40,
    // width 400 (0x190), height 300 (0x12C), 1 plane, 24 bits, then zeros.
    EXPECT_EQ(hex(b.substr(0, 14)), "424d767e0500" "00000000" "36000000");
    EXPECT_EQ(hex(b.substr(14, 16)), "28000000" "90010000" "2c010000" "0100" "1800");
    EXPECT_EQ(b.substr(30, 24), std::string(24, '\0'));
}

TEST(BmpTest, RowsStayBottomUpAndPixelsTurnToBgr) {
    Picture p{4, 2, {}};
    // Bottom row first, as GL returns them.
    for (int i = 0; i < 24; ++i) // pixel k holds 10k + 1, 10k + 2, 10k + 3
        p.rgb.push_back(static_cast<std::uint8_t>(10 * (i / 3) + i % 3 + 1));
    const std::string b = bmpBytes(p);
    ASSERT_EQ(b.size(), 54u + 24u);
    EXPECT_EQ(le32(b, 2), 78u);
    EXPECT_EQ(hex(b.substr(54, 6)), "030201" "0d0c0b"); // bottom-left pixel first
    EXPECT_EQ(hex(b.substr(54 + 21, 3)), "494847"); // top-right pixel last
}

TEST(BmpTest, WidthCutToMultipleOfFour) {
    const struct {
        int client, width;
    } cases[] = {{401, 400}, {400, 400}, {403, 400}, {3, 0}, {0, 0}, {-5, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(bmpWidth(c.client), c.width) << c.client;
}

// Read back with libpng's own reader: the pixels top-down as the picture
// shows them, and a picture of one colour compressed to almost nothing.
TEST(PngTest, ReadsBackTopDownAndCompressed) {
    Picture p{600, 600, std::vector<std::uint8_t>(600 * 600 * 3, 200)};
    p.rgb[0] = 0xAB;                      // bottom-left pixel, red
    p.rgb[(599 * 600 + 599) * 3 + 2] = 7; // top-right pixel, blue
    const std::string b = pngBytes(p);
    EXPECT_LT(b.size(), 5000u); // 1.08 MB stored
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, b.data(), b.size()));
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    ASSERT_EQ(image.width, 600u);
    ASSERT_EQ(image.height, 600u);
    EXPECT_EQ(pixels[(599 * 600) * 3], 0xAB);   // last row read first
    EXPECT_EQ(pixels[599 * 3 + 2], 7);          // first row read last
    EXPECT_EQ(pixels[(300 * 600 + 300) * 3 + 1], 200);
    EXPECT_EQ(pngBytes(Picture{}), "");
}

// Plots as pixels: both ends of a line painted, nothing beside it, y down;
// text leaves dark pixels in its box when a system font is installed.
TEST(RasterCanvasTest, LinesAndTextPaintThePicture) {
    RasterCanvas c(40, 20);
    auto at = [&](int x, int y) { // red of the pixel, rows stored bottom-up
        return c.picture().rgb[((19 - y) * 40 + x) * 3];
    };
    c.setPen(Pen{Colour{0, 0, 255}, 1, PenStyle::Solid});
    c.drawLine(2, 3, 12, 3);
    c.drawLine(0, 10, 4, 14);
    for (auto [x, y, painted] : {std::tuple{2, 3, true}, {12, 3, true}, {13, 3, false},
                                 {7, 4, false}, {2, 12, true}, {3, 12, false}})
        EXPECT_EQ(at(x, y) == 0, painted) << x << "," << y;
    // Ink rows of a text drawn at the top of a fresh canvas (box top at 0,
    // baseline at row 12): the underscore lies below the baseline, the
    // superscript minus (from a fallback font) high above it.
    auto inkRows = [](const std::string& text) {
        RasterCanvas t(30, 16);
        t.drawText(text, 0, 0);
        std::vector<int> rows;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 30; ++x)
                if (t.picture().rgb[((15 - y) * 30 + x) * 3] < 200) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    };
    if (std::filesystem::exists("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")) {
        EXPECT_GE(inkRows("88").size(), 6u);
        const auto underscore = inkRows("_"), minus = inkRows("⁻");
        ASSERT_FALSE(underscore.empty());
        EXPECT_GT(underscore.front(), 12);
        ASSERT_FALSE(minus.empty());
        EXPECT_LT(minus.back(), 9);
    }
}

class ImageNameTest : public test::DocumentTest {};

TEST_F(ImageNameTest, SelectedFrequencyOrDefault) {
    VibrationStore v;
    EXPECT_EQ(defaultImageName(v, 0), "default");
    v.frequencies = {"2170.0405", "4140.0752", "4391.0113"};
    for (auto [mode, name] : {std::pair{0, "2170.0405cm-1"}, {2, "4391.0113cm-1"}, {3, "default"}, {-1, "default"}})
        EXPECT_EQ(defaultImageName(v, mode), name) << mode;
}

TEST(PictureFileNameTest, OursKeptOthersGetBmp) {
    const std::pair<const char*, const char*> cases[] = {
        {"2027.7700cm-1", "2027.7700cm-1.bmp"}, {"a.BMP", "a.BMP"}, {"a.png", "a.png"},
        {"a.jpg", "a.jpg.bmp"}, {"dir.png/x", "dir.png/x.bmp"}};
    for (const auto& [chosen, written] : cases)
        EXPECT_EQ(pictureFileName(chosen), written) << chosen;
}

TEST_F(ImageNameTest, CancelledDialogWritesNothing) {
    doc.vibrations.frequencies = {"2170.0405", "4140.0752"};
    doc.scene.selectedMode = 1;

    struct NoSurface : GlSurface {
        int made = 0;
        bool makeCurrent() override { return ++made, false; }
        void swapBuffers() override {}
        int clientWidth() const override { return 8; }
        int clientHeight() const override { return 8; }
    } surface;
    EXPECT_FALSE(BitmapWriter().save(surface, doc));
    ASSERT_EQ(platform_.saveRequests.size(), 1u);
    const FileDialogRequest& r = platform_.saveRequests[0];
    EXPECT_EQ(r.defaultFileName, "4140.0752cm-1.bmp");
    EXPECT_EQ(r.defaultExtension, "bmp");
    EXPECT_NE(r.filter.find("*.png"), std::string::npos);
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_EQ(surface.made, 0); // nothing drawn or read
}


// kalviro-cli render with DISPLAY removed from its environment: a bad size is
// refused before anything else, then the missing display; nothing is written.
TEST(RenderWithoutDisplay, SaysWhyAndWritesNothing) {
    test::TempDir dir;
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "no X display"}, {"600", "--size"},       {"0x10", "--size"},
        {"10x-3", "--size"},       {"600x600x3", "--size"}, {"axb", "--size"}};
    for (const auto& [size, reason] : cases) {
        std::vector<std::string> args = {KALVIRO_CLI_PATH, "render",
                                         test::dataPath("render/water.log"), "-o", dir.path("w.bmp")};
        if (size)
            args.insert(args.end(), {"--size", size});
        const auto r = test::runCommand(args, {"DISPLAY"});
        EXPECT_EQ(r.status, 1) << (size ? size : "");
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.path("w.bmp")));
    }
}


TEST(AngleTextTest, ReducesTowardZeroAndKeepsTwoDecimals) {
    const struct {
        float total;
        const char* text;
    } cases[] = {{370.5f, "10.50"}, {-370.5f, "-10.50"}, {720.0f, "0.00"}, {359.75f, "359.75"},
                 {-45.0f, "-45.00"}, {0.0f, "0.00"},
                 // Far beyond an int's range: whole turns still come off.
                 {1e10f, "280.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(angleText(c.total), c.text) << c.total;
}

TEST(AtomLabelTest, FirstNinetyFromTheTableThenPlainNumbers) {
    for (auto [index, label] : {std::pair{9, "10"}, {10, "11"}, {89, "90"}, {90, "91"}, {999, "1000"}})
        EXPECT_EQ(atomLabel(index), label);
}

} // namespace
} // namespace kalviro
