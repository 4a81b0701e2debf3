#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

#include "GlHarness.h"
#include "document/FileOpening.h"
#include "model/readers/GaussianOutputReader.h"
#include "render/BitmapWriter.h"

namespace kalviro {
namespace {

using test::le32;

class CaptureGlTest : public test::DocumentTest {};

// A 203 x 150 view is saved 200 pixels wide; the bytes after the header are
// the frame's back buffer, bottom row first, blue-green-red.
TEST_F(CaptureGlTest, SavedBitmapIsTheFrameReadBack) {
    std::string error;
    auto surface = OffscreenSurface::open(203, 150, error);
    if (!surface)
        GTEST_SKIP() << "no GL context: " << error;
    ASSERT_TRUE(openMoleculeFile(doc, test::dataPath("render/water.log")).read);
    doc.view.axesShown = 1;
    doc.view.eyeDistance = 12.0f;
    drawFrame(*surface, doc);

    test::TempDir dir;
    platform_.saveAnswers.push_back(dir.path("mode.bmp"));
    ASSERT_TRUE(BitmapWriter().save(*surface, doc));
    ASSERT_EQ(platform_.saveRequests.size(), 1u);
    EXPECT_EQ(platform_.saveRequests[0].defaultFileName, "2170.0405cm-1.bmp");
    const std::string file = test::readFileBytes(dir.path("mode.bmp"));
    ASSERT_EQ(file.size(), 54u + 3u * 200u * 150u);
    EXPECT_EQ(le32(file, 18), 200u);
    EXPECT_EQ(le32(file, 22), 150u);

    ASSERT_TRUE(surface->makeCurrent());
    beginFrame(203, 150);
    setupCamera(doc.molecule, doc.view);
    drawScene(doc);
    const std::vector<unsigned char> rgb = test::readBackBuffer(200, 150);
    std::string expected;
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
        expected.push_back(static_cast<char>(rgb[i + 2]));
        expected.push_back(static_cast<char>(rgb[i + 1]));
        expected.push_back(static_cast<char>(rgb[i]));
    }
    EXPECT_NE(expected.find_first_not_of('\0'), std::string::npos); // not an empty frame
    EXPECT_TRUE(file.compare(54, std::string::npos, expected) == 0);
}

// The command draws with the same code on its own context and display, and
// refuses what it cannot draw before writing anything.
TEST(RenderCommandGlTest, WritesPicturesAndRefusesWhatItCannotDraw) {
    if (std::getenv("DISPLAY") == nullptr)
        GTEST_SKIP() << "no X display";
    test::TempDir dir;
    const std::string molecule = test::dataPath("render/water.log");
    const auto r = test::runCli({"render", molecule, "-o", dir.path("w.bmp"), "--size", "123x100",
                                 "--show", "modes,dipole,numbers"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bmp = test::readFileBytes(dir.path("w.bmp"));
    ASSERT_EQ(bmp.size(), 54u + 3u * 120u * 100u);
    EXPECT_NE(bmp.find_first_not_of('\0', 54), std::string::npos);

    const auto white = test::runCli(
        {"render", molecule, "-o", dir.path("w.png"), "--size", "64x48", "--white"});
    ASSERT_EQ(white.status, 0) << white.err;
    const std::string png = test::readFileBytes(dir.path("w.png"));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
    EXPECT_EQ(image.width, 64u);
    EXPECT_EQ(image.height, 48u);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(pixels[0] + pixels[1] + pixels[2], 3 * 255); // top left: white background

    // Orbital contours drawn over the molecule.
    ASSERT_EQ(test::runCli({"render", molecule, "-o", dir.path("plain.bmp"), "--size", "200x200"}).status, 0);
    const auto mo = test::runCli({"render", molecule, "-o", dir.path("mo.bmp"), "--size", "200x200",
                                  "--orbital", test::dataPath("fuzz-seeds/water_sto3g.fchk")});
    ASSERT_EQ(mo.status, 0) << mo.err;
    const std::string plain = test::readFileBytes(dir.path("plain.bmp"));
    const std::string withOrbital = test::readFileBytes(dir.path("mo.bmp"));
    ASSERT_EQ(plain.size(), withOrbital.size());
    EXPECT_GT(test::pixelsUnlikeTheFirst(withOrbital), test::pixelsUnlikeTheFirst(plain) + 100);

    // Isosurfaces instead: far more blue (+) and red (-) than the contour lines.
    const auto iso = test::runCli({"render", molecule, "-o", dir.path("iso.bmp"), "--size", "200x200",
                                   "--orbital", test::dataPath("fuzz-seeds/water_sto3g.fchk"),
                                   "--isosurface", "0.05"});
    ASSERT_EQ(iso.status, 0) << iso.err;
    const auto count = [](const std::string& bmp, int channel) { // 0 blue, 2 red
        int n = 0;
        for (std::size_t i = 54; i + 2 < bmp.size(); i += 3)
            n += std::uint8_t(bmp[i + channel]) > std::uint8_t(bmp[i + 1]) + 40 &&
                 std::uint8_t(bmp[i + channel]) > std::uint8_t(bmp[i + 2 - channel]) + 40;
        return n;
    };
    const std::string surfaces = test::readFileBytes(dir.path("iso.bmp"));
    for (int channel : {0, 2})
        EXPECT_GT(count(surfaces, channel), count(withOrbital, channel) + 500) << channel;
    for (const char* bad : {"--isosurface=0", "--isosurface=-0.1"})
        EXPECT_EQ(test::runCli({"render", molecule, "-o", dir.path("x.bmp"), "--orbital",
                                test::dataPath("fuzz-seeds/water_sto3g.fchk"), bad})
                      .status, 1) << bad;
    EXPECT_EQ(test::runCli({"render", molecule, "-o", dir.path("x.bmp"), "--isosurface", "0.05"}).status, 1);

    // The fitted view fills more of the picture than the fixed camera of old.
    ASSERT_EQ(test::runCli({"render", molecule, "-o", dir.path("fixed.bmp"), "--size", "200x200",
                            "--no-fit"}).status, 0);
    EXPECT_GT(test::pixelsUnlikeTheFirst(plain),
              2 * test::pixelsUnlikeTheFirst(test::readFileBytes(dir.path("fixed.bmp"))));

    const auto wrong = test::runCli({"render", molecule, "-o", dir.path("x.bmp"), "--orbital", molecule});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("checkpoint"), std::string::npos) << wrong.err;
    const auto mode = test::runCli({"render", molecule, "-o", dir.path("m.bmp"), "--mode", "4"});
    EXPECT_EQ(mode.status, 1);
    EXPECT_NE(mode.err.find("3 modes"), std::string::npos) << mode.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path("m.bmp")));
}

} // namespace
} // namespace kalviro
