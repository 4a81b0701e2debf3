#pragma once
// Blank-separated tokens of one line, without copying: the first few tokens
// are what every reader of the fixed-layout formats looks at.

#include <array>
#include <cstddef>
#include <cctype>
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
