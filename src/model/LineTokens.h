#pragma once
// Blank-separated tokens of one line, without copying: the first few tokens
// are what every reader of the fixed-layout formats looks at.

#include <array>
#include <cstddef>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kalviro {

inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\n';
}

template <std::size_t N> struct LineTokens {
    std::array<std::string_view, N> token{};
    std::size_t count = 0; // tokens found, at most N

    explicit LineTokens(std::string_view line) {
        std::size_t i = 0;
        const std::size_t n = line.size();
        while (count < N) {
            while (i < n && isBlank(line[i]))
                ++i;
            if (i == n)
                break;
            const std::size_t start = i;
            while (i < n && !isBlank(line[i]))
                ++i;
            token[count++] = line.substr(start, i - start);
        }
    }

    // Token k (0-based), or empty when the line has fewer.
    std::string_view operator[](std::size_t k) const { return k < count ? token[k] : std::string_view{}; }
};

// Whether text occurs in line.
inline bool contains(std::string_view line, std::string_view text) {
    return line.find(text) != std::string_view::npos;
}

// A fixed text looked for in every line of a file: Horspool's search, which
// passes over most of a line that does not hold a long text in a few steps,
// where a search for its first character stops at every occurrence.
class LineNeedle {
  public:
    // text: 1 to 255 bytes.
    constexpr explicit LineNeedle(std::string_view text) : text_(text) {
        for (auto& s : skip_)
            s = static_cast<unsigned char>(text.size());
        for (std::size_t i = 0; i + 1 < text.size(); ++i)
            skip_[static_cast<unsigned char>(text[i])] = static_cast<unsigned char>(text.size() - 1 - i);
    }

    bool in(std::string_view line) const {
        const std::size_t n = text_.size();
        const char last = text_[n - 1];
        for (std::size_t i = 0; i + n <= line.size();) {
            const char c = line[i + n - 1];
            if (c == last && line.compare(i, n - 1, text_.substr(0, n - 1)) == 0)
                return true;
            i += skip_[static_cast<unsigned char>(c)];
        }
        return false;
    }

  private:
    std::string_view text_;
    unsigned char skip_[256]{};
};

// Calls visit with the letter bits of each eight-byte word of text in turn,
// the last word padded with zero bytes (not letters), until visit returns
// true; whether it did. A letter's bit is the high bit of its byte: ASCII
// letters once upper case is folded onto lower case, never a byte with the
// high bit set; no byte's sum reaches into the next one. Most lines of a long
// output are rows of numbers, and this passes over them without a branch per
// byte.
template <class Visit> bool anyLetterWord(std::string_view text, Visit visit) {
    constexpr std::uint64_t k01 = 0x0101010101010101ull;
    constexpr std::uint64_t k7f = 0x7f7f7f7f7f7f7f7full;
    constexpr std::uint64_t k80 = 0x8080808080808080ull;
    const auto letters = [](std::uint64_t x) {
        x |= 0x2020202020202020ull;
        const std::uint64_t low = x & k7f;
        return (k01 * (127 + '{') - low) & ~x & (low + k01 * (127 - '`')) & k80;
    };
    const char* p = text.data();
    std::size_t n = text.size();
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t x;
        std::memcpy(&x, p, 8);
        if (visit(letters(x)))
            return true;
    }
    std::uint64_t tail = 0;
    for (std::size_t k = 0; k < n; ++k)
        tail |= std::uint64_t(static_cast<unsigned char>(p[k])) << (8 * k);
    return visit(letters(tail));
}

// Whether the line holds nothing but blanks.
inline bool isBlankLine(std::string_view line) {
    return LineTokens<1>(line).count == 0;
}

// ASCII letters lower-cased; other bytes as they are (labels may hold UTF-8).
inline std::string lowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// ASCII letters upper-cased; other bytes as they are.
inline std::string upperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// text without the white space (blanks, tabs, line ends) at either end.
inline std::string_view trimmed(std::string_view text) {
    auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace kalviro
