#include "render/PngWriter.h"

#include <array>
#include <cstdint>

#include "render/Frame.h"

namespace kalviro {
namespace {

std::uint32_t crc32(const std::string& data, std::size_t from) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = from; i < data.size(); ++i)
        c = table[(c ^ static_cast<std::uint8_t>(data[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void putBE32(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v >> 24));
    out.push_back(static_cast<char>((v >> 16) & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
    out.push_back(static_cast<char>(v & 0xFF));
}

void chunk(std::string& out, const char* type, const std::string& data) {
    putBE32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out += data;
    putBE32(out, crc32(out, start));
}

} // namespace

std::string pngBytes(const Picture& p) {
    const std::size_t rowBytes = static_cast<std::size_t>(p.width) * 3;
    // Filter byte 0 per row; PNG rows run top-down, ours bottom-up.
    std::string raw;
    raw.reserve((rowBytes + 1) * p.height);
    for (int y = p.height - 1; y >= 0; --y) {
        raw.push_back('\0');
        const std::size_t at = static_cast<std::size_t>(y) * rowBytes;
        for (std::size_t i = 0; i < rowBytes; ++i)
            raw.push_back(at + i < p.rgb.size() ? static_cast<char>(p.rgb[at + i]) : '\0');
    }

    std::string z = {'\x78', '\x01'};
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        const bool last = pos + n == raw.size();
        z.push_back(last ? '\x01' : '\x00');
        z.push_back(static_cast<char>(n & 0xFF));
        z.push_back(static_cast<char>(n >> 8));
        z.push_back(static_cast<char>(~n & 0xFF));
        z.push_back(static_cast<char>((~n >> 8) & 0xFF));
        z.append(raw, pos, n);
        pos += n;
    } while (pos < raw.size());
    putBE32(z, (b << 16) | a);

    std::string ihdr;
    putBE32(ihdr, static_cast<std::uint32_t>(p.width));
    putBE32(ihdr, static_cast<std::uint32_t>(p.height));
    ihdr += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace

    std::string out = "\x89PNG\r\n\x1a\n";
    chunk(out, "IHDR", ihdr);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", "");
    return out;
}

} // namespace kalviro
