#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "GlHarness.h"
#include "document/FileOpening.h"
#include "render/MovieExport.h"

namespace kalviro {
namespace {

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
