#pragma once
// Blank-separated tokens of one line, without copying: the first few tokens
// are what every reader of the fixed-layout formats looks at.

#include <array>
#include <cstddef>
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

} // namespace kalviro
