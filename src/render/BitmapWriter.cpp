#include "render/BitmapWriter.h"

#include "document/Document.h"
#include "document/SaveCommands.h"
#include "model/SafeFileWriter.h"
#include "platform/Platform.h"
#include "render/Frame.h"
#include "render/PngWriter.h"

namespace kalviro {
namespace {

void put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::string lowerCaseTail(const std::string& s, std::size_t n) {
    std::string tail = s.size() < n ? s : s.substr(s.size() - n);
    for (char& c : tail)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return tail;
}

bool isPngName(const std::string& path) {
    return lowerCaseTail(path, 4) == ".png";
}

} // namespace

int bmpWidth(int clientWidth) {
    return clientWidth <= 0 ? 0 : clientWidth / 4 * 4;
}

std::string bmpBytes(const Picture& p) {
    const std::uint32_t w = static_cast<std::uint32_t>(p.width);
    const std::uint32_t h = static_cast<std::uint32_t>(p.height);
    const std::uint32_t pixelBytes = 3 * w * h;
    std::string out;
    out.reserve(54 + pixelBytes);
    out += "BM";
    put32(out, 54 + pixelBytes);
    put16(out, 0);
    put16(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, w);
    put32(out, h);
    put16(out, 1);
    put16(out, 24);
    for (int k = 0; k < 6; ++k)
        put32(out, 0); // compression, image size, resolutions, colours
    // Both GL and BMP run bottom-up: only the bytes within a pixel turn round.
    for (std::size_t i = 0; i + 2 < p.rgb.size() && i < pixelBytes; i += 3) {
        out.push_back(static_cast<char>(p.rgb[i + 2]));
        out.push_back(static_cast<char>(p.rgb[i + 1]));
        out.push_back(static_cast<char>(p.rgb[i]));
    }
    out.resize(54 + pixelBytes, '\0');
    return out;
}

std::string defaultImageName(const VibrationStore& v, int selectedMode) {
    if (v.frequencies.empty())
        return "default";
    // A selection that names no mode (cleared list) falls back as well.
    if (selectedMode < 0 || static_cast<std::size_t>(selectedMode) >= v.frequencies.size())
        return "default";
    return v.frequencies[static_cast<std::size_t>(selectedMode)] + "cm-1";
}

std::string pictureFileName(const std::string& path) {
    // "2027.7700cm-1" looks as if it had an extension: test for ours.
    if (isPngName(path) || lowerCaseTail(path, 4) == ".bmp")
        return path;
    return path + ".bmp";
}

bool BitmapWriter::save(GlSurface& surface, Document& doc) {
    FileDialogRequest request;
    request.defaultExtension = "bmp";
    request.defaultFileName = defaultImageName(doc.vibrations, doc.scene.selectedMode) + ".bmp";
    request.filter = "BMP画像(*.bmp)|*.bmp|PNG画像(*.png)|*.png|全て(*.*)|*.*||";
    request.hideReadOnly = false; // only the overwrite prompt
    const auto chosen = platform().chooseSavePath(request);
    if (!chosen)
        return false;
    const std::string path = pictureFileName(*chosen);
    const Picture p = captureFrame(surface, doc);
    return saveFileOrTell(path, isPngName(path) ? pngBytes(p) : bmpBytes(p));
}

} // namespace kalviro
