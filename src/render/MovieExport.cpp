#include "render/MovieExport.h"

#include <gif_lib.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "document/Document.h"
#include "document/SaveCommands.h"
#include "model/SafeFileWriter.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "render/BitmapWriter.h"
#include "render/PngWriter.h"

namespace kalviro {
namespace {

bool endsWithNoCase(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size())
        return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = s[s.size() - tail.size() + i];
        if (std::tolower(static_cast<unsigned char>(c)) != tail[i])
            return false;
    }
    return true;
}

// 6 levels of red, 7 of green (the eye's best), 6 of blue; index 252..255 unused.
constexpr int kRed = 6, kGreen = 7, kBlue = 6;

int level(std::uint8_t v, int levels) {
    return (v * (levels - 1) + 127) / 255;
}

int writeToString(GifFileType* gif, const GifByteType* bytes, int n) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes),
                                                     static_cast<std::size_t>(n));
    return n;
}

ColorMapObject* cubePalette() {
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    if (!map)
        return nullptr;
    for (int r = 0; r < kRed; ++r)
        for (int g = 0; g < kGreen; ++g)
            for (int b = 0; b < kBlue; ++b) {
                GifColorType& c = map->Colors[(r * kGreen + g) * kBlue + b];
                c.Red = static_cast<GifByteType>(r * 255 / (kRed - 1));
                c.Green = static_cast<GifByteType>(g * 255 / (kGreen - 1));
                c.Blue = static_cast<GifByteType>(b * 255 / (kBlue - 1));
            }
    return map;
}

bool putFrame(GifFileType* gif, const Picture& p, int delay) {
    // Graphics control: the delay, no transparency, the frame replaces the last.
    const GifByteType control[4] = {0x04, static_cast<GifByteType>(delay & 0xff),
                                    static_cast<GifByteType>(delay >> 8), 0};
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_ERROR)
        return false;
    ColorMapObject* map = cubePalette();
    const bool started =
        map && EGifPutImageDesc(gif, 0, 0, p.width, p.height, false, map) != GIF_ERROR;
    GifFreeMapObject(map);
    if (!started)
        return false;
    std::vector<GifPixelType> row(static_cast<std::size_t>(p.width));
    // GIF rows run top-down, GL's bottom-up.
    for (int y = p.height - 1; y >= 0; --y) {
        const std::uint8_t* px = p.rgb.data() + static_cast<std::size_t>(y) * p.width * 3;
        for (int x = 0; x < p.width; ++x, px += 3)
            row[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(
                (level(px[0], kRed) * kGreen + level(px[1], kGreen)) * kBlue + level(px[2], kBlue));
        if (EGifPutLine(gif, row.data(), p.width) == GIF_ERROR)
            return false;
    }
    return true;
}

} // namespace

MovieKind movieKindOf(const std::string& path) {
    if (endsWithNoCase(path, ".gif"))
        return MovieKind::Gif;
    if (endsWithNoCase(path, ".xyz"))
        return MovieKind::Xyz;
    return MovieKind::PngFolder;
}

std::vector<Picture> captureMovie(GlSurface& surface, Document& doc, const MovieRequest& r) {
    const Animation kept = doc.animation;
    const int keptMode = doc.scene.selectedMode;
    doc.animation.playing = true;
    doc.animation.amplitude = r.amplitude;
    doc.scene.selectedMode = r.mode;
    const double twoPi = 8.0 * std::atan(1.0);
    std::vector<Picture> frames;
    for (int k = 0; k < r.frames; ++k) {
        doc.animation.phase = twoPi * k / r.frames;
        frames.push_back(captureFrame(surface, doc));
        if (frames.back().rgb.empty()) {
            frames.clear();
            break;
        }
    }
    doc.animation = kept;
    doc.scene.selectedMode = keptMode;
    return frames;
}

std::string gifBytes(const std::vector<Picture>& frames, int delayCentiseconds) {
    if (frames.empty())
        return {};
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeToString, &error);
    if (!gif)
        return {};
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, frames[0].width, frames[0].height, 8, 0, nullptr) != GIF_ERROR;
    // NETSCAPE2.0 loop block: repeat for ever.
    const GifByteType app[11] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType loop[3] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_ERROR &&
         EGifPutExtensionBlock(gif, 11, app) != GIF_ERROR &&
         EGifPutExtensionBlock(gif, 3, loop) != GIF_ERROR &&
         EGifPutExtensionTrailer(gif) != GIF_ERROR;
    for (const Picture& p : frames)
        ok = ok && p.width == frames[0].width && p.height == frames[0].height &&
             putFrame(gif, p, delayCentiseconds);
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        ok = false;
    return ok ? out : std::string();
}

std::string frameFileName(int k) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%03d.png", k + 1);
    return name;
}

std::string writeMovie(GlSurface& surface, Document& doc, const std::string& path,
                       const MovieRequest& r) {
    if (!modeVectors(doc, r.mode) || r.frames < 1)
        return msg::kNoModeToAnimate;
    const MovieKind kind = movieKindOf(path);
    if (kind == MovieKind::Xyz) {
        return writeFileAtomically(path, animationXyz(doc, r.mode, r.frames, r.amplitude))
                   ? std::string()
                   : msg::kCannotSaveFile;
    }
    const std::vector<Picture> frames = captureMovie(surface, doc, r);
    if (frames.empty())
        return msg::kCannotDrawMovie;
    if (kind == MovieKind::Gif) {
        const int delay = std::max(2, static_cast<int>(std::lround(100.0 * r.periodSeconds / r.frames)));
        const std::string bytes = gifBytes(frames, delay);
        return !bytes.empty() && writeFileAtomically(path, bytes) ? std::string()
                                                                  : msg::kCannotSaveFile;
    }
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec || !std::filesystem::is_directory(path))
        return msg::kCannotMakeFolder;
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const std::string file = (std::filesystem::path(path) / frameFileName(static_cast<int>(k))).string();
        if (!writeFileAtomically(file, pngBytes(frames[k])))
            return msg::kCannotSaveFile;
    }
    return {};
}

bool askAndSaveAnimation(GlSurface& surface, Document& doc) {
    MovieRequest r;
    r.mode = doc.scene.selectedMode;
    r.amplitude = doc.animation.amplitude;
    r.periodSeconds = doc.animation.periodSeconds;
    if (!modeVectors(doc, r.mode)) {
        showMessage(msg::kNoModeToAnimate);
        return false;
    }
    FileDialogRequest request;
    request.defaultExtension = "gif";
    request.defaultFileName = defaultImageName(doc.vibrations, r.mode) + ".gif";
    request.filter = "GIF(*.gif)|*.gif|XYZ(*.xyz)|*.xyz|PNGフォルダ(*)|*||";
    request.hideReadOnly = false;
    const auto path = platform().chooseSavePath(request);
    if (!path)
        return false;
    const std::string error = writeMovie(surface, doc, *path, r);
    if (!error.empty())
        showMessage(std::string(msg::kCannotSaveMovie) + *path + "\n" + error);
    return error.empty();
}

} // namespace kalviro
