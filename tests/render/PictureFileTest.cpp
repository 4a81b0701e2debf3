#include <gtest/gtest.h>

#include <string>

#include "model/VibrationStore.h"
#include "render/BitmapWriter.h"
#include "render/Frame.h"
#include "render/PngWriter.h"
#include "render/SceneChoices.h"
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
    Picture p;
    p.width = 4;
    p.height = 2;
    // Bottom row first, as GL returns them.
    for (int i = 0; i < 8; ++i) {
        p.rgb.push_back(static_cast<std::uint8_t>(10 * i + 1));
        p.rgb.push_back(static_cast<std::uint8_t>(10 * i + 2));
        p.rgb.push_back(static_cast<std::uint8_t>(10 * i + 3));
    }
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

TEST(PngTest, OneRedPixelMatchesAReferenceEncoding) {
    Picture p;
    p.width = 1;
    p.height = 1;
    p.rgb = {255, 0, 0};
    // Made with a general-purpose zlib (level 0) and CRC-32.
    EXPECT_EQ(hex(pngBytes(p)),
              "89504e470d0a1a0a0000000d4948445200000001000000010802000000907753de0000000f4944"
              "41547801010400fbff00ff0000030101008d1de5820000000049454e44ae426082");
}

TEST(PngTest, RowsComeOutTopDownAndLargeDataSplitsIntoBlocks) {
    Picture p;
    p.width = 200;
    p.height = 120; // 120 rows of 601 bytes: 72120, two stored blocks
    p.rgb.assign(200 * 120 * 3, 0);
    p.rgb[(119 * 200) * 3] = 0xAB; // first byte of the top row
    const std::string b = pngBytes(p);
    // IDAT data: 2 zlib bytes, 5 block bytes, then the top row's filter byte.
    const std::size_t idat = 8 + 25;
    EXPECT_EQ(b.substr(idat + 4, 4), "IDAT");
    EXPECT_EQ(hex(b.substr(idat + 8, 7)), "7801" "00ffff0000"); // not last, 65535 bytes
    EXPECT_EQ(hex(b.substr(idat + 15, 2)), "00ab");
    const std::uint32_t idatLength =
        static_cast<std::uint8_t>(b[idat]) << 24 | static_cast<std::uint8_t>(b[idat + 1]) << 16 |
        static_cast<std::uint8_t>(b[idat + 2]) << 8 | static_cast<std::uint8_t>(b[idat + 3]);
    EXPECT_EQ(idatLength, 2u + 5u + 65535u + 5u + (72120u - 65535u) + 4u);
}

class ImageNameTest : public test::ProcessStateTest {};

TEST_F(ImageNameTest, SelectedFrequencyOrDefault) {
    VibrationStore v;
    EXPECT_EQ(defaultImageName(v, 0), "default");
    v.frequencies = {"2170.0405", "4140.0752", "4391.0113"};
    EXPECT_EQ(defaultImageName(v, 0), "2170.0405cm-1");
    EXPECT_EQ(defaultImageName(v, 2), "4391.0113cm-1");
    EXPECT_EQ(defaultImageName(v, 3), "default");
    EXPECT_EQ(defaultImageName(v, -1), "default");
}

TEST_F(ImageNameTest, CancelledDialogWritesNothing) {
    vibrationStore().frequencies = {"2170.0405", "4140.0752"};
    sceneChoices().selectedMode = 1;

    struct NoSurface : GlSurface {
        int made = 0;
        bool makeCurrent() override { return ++made, false; }
        void swapBuffers() override {}
        int clientWidth() const override { return 8; }
        int clientHeight() const override { return 8; }
    } surface;
    EXPECT_FALSE(BitmapWriter().save(surface));
    ASSERT_EQ(platform_.saveRequests.size(), 1u);
    const FileDialogRequest& r = platform_.saveRequests[0];
    EXPECT_EQ(r.defaultFileName, "4140.0752cm-1");
    EXPECT_EQ(r.defaultExtension, "bmp");
    EXPECT_EQ(r.filter, "(*.bmp)|*.bmp|全て(*.*)|*.*||");
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_EQ(surface.made, 0); // nothing drawn or read
}

} // namespace
} // namespace kalviro
