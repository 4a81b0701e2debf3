#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>

#include "GlHarness.h"
#include "document/FileOpening.h"
#include "render/BitmapWriter.h"
#include "render/MovieExport.h"

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
    std::string expected(rgb.size(), '\0');
    for (std::size_t i = 0; i < rgb.size(); ++i) // red and blue of each pixel swapped
        expected[i] = static_cast<char>(rgb[i - i % 3 + 2 - i % 3]);
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
    const std::string fchk = test::dataPath("fuzz-seeds/water_sto3g.fchk");
    // kalviro-cli render of the water into out, with more options; then its bytes.
    auto render = [&](const std::string& out, std::vector<std::string> more, int status = 0) {
        more.insert(more.begin(), {"render", molecule, "-o", dir.path(out)});
        const auto r = test::runCli(more);
        EXPECT_EQ(r.status, status) << out << ": " << r.err;
        return status == 0 ? test::readFileBytes(dir.path(out)) : r.err;
    };
    const std::string bmp = render("w.bmp", {"--size", "123x100", "--show", "modes,dipole,numbers"});
    ASSERT_EQ(bmp.size(), 54u + 3u * 120u * 100u);
    EXPECT_NE(bmp.find_first_not_of('\0', 54), std::string::npos);

    const std::string png = render("w.png", {"--size", "64x48", "--white"});
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
    const std::string plain = render("plain.bmp", {"--size", "200x200"});
    const std::string withOrbital = render("mo.bmp", {"--size", "200x200", "--orbital", fchk});
    ASSERT_EQ(plain.size(), withOrbital.size());
    EXPECT_GT(test::pixelsUnlikeTheFirst(withOrbital), test::pixelsUnlikeTheFirst(plain) + 100);

    // Isosurfaces instead: far more blue (+) and red (-) than the contour lines.
    const std::string surfaces =
        render("iso.bmp", {"--size", "200x200", "--orbital", fchk, "--isosurface", "0.05"});
    const auto count = [](const std::string& bmp, int channel) { // 0 blue, 2 red
        int n = 0;
        for (std::size_t i = 54; i + 2 < bmp.size(); i += 3)
            n += std::uint8_t(bmp[i + channel]) > std::uint8_t(bmp[i + 1]) + 40 &&
                 std::uint8_t(bmp[i + channel]) > std::uint8_t(bmp[i + 2 - channel]) + 40;
        return n;
    };
    for (int channel : {0, 2})
        EXPECT_GT(count(surfaces, channel), count(withOrbital, channel) + 500) << channel;
    for (const char* bad : {"--isosurface=0", "--isosurface=-0.1"})
        render("x.bmp", {"--orbital", fchk, bad}, 1);
    render("x.bmp", {"--isosurface", "0.05"}, 1);

    // The fitted view fills more of the picture than the fixed camera of old.
    EXPECT_GT(test::pixelsUnlikeTheFirst(plain),
              2 * test::pixelsUnlikeTheFirst(render("fixed.bmp", {"--size", "200x200", "--no-fit"})));

    EXPECT_NE(render("x.bmp", {"--orbital", molecule}, 1).find("checkpoint"), std::string::npos);
    EXPECT_NE(render("m.bmp", {"--mode", "4"}, 1).find("3 modes"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path("m.bmp")));
}

// The frames of a GIF file as giflib decodes them.
struct DecodedGif {
    int frames = -1;
    int width = 0, height = 0;
    std::vector<std::vector<GifByteType>> rasters;
    std::vector<GifColorType> firstPalette;
};

DecodedGif decodeGif(const std::string& path) {
    DecodedGif out;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif || DGifSlurp(gif) != GIF_OK)
        return out;
    out.frames = gif->ImageCount;
    out.width = gif->SWidth;
    out.height = gif->SHeight;
    for (int k = 0; k < gif->ImageCount; ++k) {
        const SavedImage& im = gif->SavedImages[k];
        out.rasters.emplace_back(im.RasterBits,
                                 im.RasterBits + im.ImageDesc.Width * im.ImageDesc.Height);
        if (k == 0 && im.ImageDesc.ColorMap)
            out.firstPalette.assign(im.ImageDesc.ColorMap->Colors,
                                    im.ImageDesc.ColorMap->Colors + 256);
    }
    DGifCloseFile(gif, &error);
    return out;
}

// Pure colours come back exactly from the colour cube, and the picture's
// bottom row (GL's first) is the GIF's last.
TEST(GifBytesTest, ColoursAndRowOrderSurvive) {
    Picture p{2, 2, {255, 0, 0, 255, 255, 255, /* bottom */ 0, 0, 255, 0, 0, 0}};
    test::TempDir dir;
    test::writeFileBytes(dir.path("p.gif"), gifBytes({p, p, p}, 5));
    const DecodedGif g = decodeGif(dir.path("p.gif"));
    ASSERT_EQ(g.frames, 3);
    ASSERT_EQ(g.firstPalette.size(), 256u);
    const int want[4][3] = {{0, 0, 255}, {0, 0, 0}, {255, 0, 0}, {255, 255, 255}};
    for (std::size_t i = 0; i < 4; ++i) {
        const GifColorType c = g.firstPalette[g.rasters[0][i]];
        EXPECT_EQ(std::vector<int>({c.Red, c.Green, c.Blue}),
                  std::vector<int>(want[i], want[i] + 3)) << i;
    }
    EXPECT_TRUE(gifBytes({}, 5).empty());
}

// The command's GIF has the frame count asked for, readable by giflib and
// by ImageMagick; the quarter frame (largest displacement) is not the first
// (none). The PNG folder holds the same number of frames.
TEST(AnimateCommandGlTest, GifAndPngFolderCarryEveryFrame) {
    if (std::getenv("DISPLAY") == nullptr)
        GTEST_SKIP() << "no X display";
    test::TempDir dir;
    const std::string log = test::examplePath("formaldehyde_opt_freq.log");
    auto r = test::runCli({"animate", log, "--mode", "5", "-o", dir.path("m.gif"), "--frames",
                           "12", "--size", "160x120"});
    ASSERT_EQ(r.status, 0) << r.err;
    const DecodedGif g = decodeGif(dir.path("m.gif"));
    ASSERT_EQ(g.frames, 12);
    EXPECT_EQ(g.width, 160);
    EXPECT_EQ(g.height, 120);
    EXPECT_NE(g.rasters[0], g.rasters[3]);
    EXPECT_EQ(g.rasters[0], g.rasters[6]); // sin(pi) = 0: back where it started
    if (std::system("command -v identify >/dev/null 2>&1") == 0) {
        const auto id = test::runCommand({"identify", dir.path("m.gif")});
        EXPECT_EQ(std::count(id.out.begin(), id.out.end(), '\n'), 12) << id.out;
    }

    r = test::runCli({"animate", log, "--mode", "5", "-o", dir.path("frames"), "--frames", "12",
                      "--size", "160x120"});
    ASSERT_EQ(r.status, 0) << r.err;
    int pngs = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path("frames")))
        pngs += e.path().extension() == ".png";
    EXPECT_EQ(pngs, 12);
    EXPECT_NE(test::readFileBytes(dir.path("frames/frame_001.png")),
              test::readFileBytes(dir.path("frames/frame_004.png")));
}

// The movie moves only what is drawn: the atoms keep their coordinates, the
// animation settings come back, and the still frame after it is the still
// frame before it.
class MovieGlTest : public test::DocumentTest {};

TEST_F(MovieGlTest, MovieLeavesTheMoleculeAndTheStillFrameAlone) {
    std::string error;
    auto surface = OffscreenSurface::open(120, 100, error);
    if (!surface)
        GTEST_SKIP() << "no GL context: " << error;
    ASSERT_TRUE(openMoleculeFile(doc, test::examplePath("formaldehyde_opt_freq.log")).read);
    const Picture before = captureFrame(*surface, doc);
    const std::vector<Atom> atoms = doc.molecule.atoms;

    MovieRequest r;
    r.mode = 4;
    r.frames = 4;
    const std::vector<Picture> frames = captureMovie(*surface, doc, r);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_NE(frames[1].rgb, frames[0].rgb);
    EXPECT_EQ(doc.scene.selectedMode, 0);
    EXPECT_FALSE(doc.animation.playing);
    for (std::size_t i = 0; i < atoms.size(); ++i)
        EXPECT_EQ(doc.molecule.atoms[i].position(), atoms[i].position()) << i;
    EXPECT_EQ(captureFrame(*surface, doc).rgb, before.rgb);
}

} // namespace
} // namespace kalviro
