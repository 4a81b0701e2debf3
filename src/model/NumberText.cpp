#include "model/NumberText.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace kalviro {
namespace {

// Widens every two-digit exponent ("e-07", "E+10") to three digits.
std::string widenExponents(const std::string& s) {
    std::string out;
    out.reserve(s.size() + 2);
    for (std::size_t i = 0; i < s.size(); ++i) {
        out.push_back(s[i]);
        const bool expLetter = (s[i] == 'e' || s[i] == 'E') && i > 0 &&
                               std::isdigit(static_cast<unsigned char>(s[i - 1]));
        if (expLetter && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
            std::size_t j = i + 2;
            std::size_t digits = 0;
            while (j + digits < s.size() && std::isdigit(static_cast<unsigned char>(s[j + digits])))
                ++digits;
            out.push_back(s[i + 1]);
            for (std::size_t k = digits; k < 3; ++k)
                out.push_back('0');
            out.append(s, j, digits);
            i = j + digits - 1;
        }
    }
    return out;
}

// Copies text into buf with D/d exponent letters turned into E.
void toCNumber(std::string_view text, std::vector<char>& buf) {
    buf.assign(text.begin(), text.end());
    for (char& c : buf) {
        if (c == 'D' || c == 'd')
            c = 'E';
    }
    buf.push_back('\0');
}

} // namespace

// At most 15 digits over a power of ten is one correctly rounded division of
// exact values, so the double is the one the general conversion gives.
bool parsePlainDecimal(std::string_view s, double& out) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = s.data();
    const char* end = p + s.size();
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    // Whole part, then the fraction, each in a loop of its own; the digit
    // count is checked at the end (the sum may wrap before, harmlessly).
    std::uint64_t digits = 0;
    const char* whole = p;
    for (unsigned d; p != end && (d = static_cast<unsigned char>(*p) - unsigned('0')) < 10; ++p)
        digits = digits * 10 + d;
    const auto wholeCount = static_cast<std::size_t>(p - whole);
    std::size_t fraction = 0;
    if (p != end && *p == '.') {
        const char* first = ++p;
        for (unsigned d; p != end && (d = static_cast<unsigned char>(*p) - unsigned('0')) < 10; ++p)
            digits = digits * 10 + d;
        fraction = static_cast<std::size_t>(p - first);
        if (fraction == 0 || wholeCount == 0)
            return false;
    }
    const std::size_t count = wholeCount + fraction;
    if (p != end || count == 0 || count > 15)
        return false;
    const double value = static_cast<double>(digits) / kPowers[fraction];
    out = negative ? -value : value;
    return true;
}

std::string formatNumber(const char* fmt, double value) {
    char small[64];
    int n = std::snprintf(small, sizeof small, fmt, value);
    if (n < 0)
        return {};
    std::string s;
    if (static_cast<std::size_t>(n) < sizeof small) {
        s.assign(small, static_cast<std::size_t>(n));
    } else {
        s.resize(static_cast<std::size_t>(n) + 1);
        std::snprintf(s.data(), s.size(), fmt, value);
        s.resize(static_cast<std::size_t>(n));
    }
    return widenExponents(s);
}

double parseNumber(std::string_view text) {
    // A plain decimal token, the common case, without a copy; strtod gives
    // the same value.
    double value = 0.0;
    if (parsePlainDecimal(text, value))
        return value;
    thread_local std::vector<char> buf;
    toCNumber(text, buf);
    return std::strtod(buf.data(), nullptr);
}

bool parseWholeNumber(std::string_view token, double& out) {
    if (token.empty())
        return false;
    // Plain decimals, the common case, without a copy.
    if (parsePlainDecimal(token, out))
        return true;
    const char* first = token.data();
    const char* last = first + token.size();
    if (*first == '+')
        ++first;
    auto [ptr, ec] = std::from_chars(first, last, out);
    if (ec == std::errc() && ptr == last)
        return true;
    thread_local std::vector<char> buf;
    toCNumber(token, buf);
    char* end = nullptr;
    out = std::strtod(buf.data(), &end);
    return end == buf.data() + token.size();
}

int leadingInteger(std::string_view text) {
    const std::string buffer(text);
    const long v = std::strtol(buffer.c_str(), nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

bool parseWholeInteger(std::string_view token, long& out) {
    const char* first = token.data();
    const char* last = first + token.size();
    if (first != last && *first == '+')
        ++first;
    auto [ptr, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && ptr == last && first != last;
}

} // namespace kalviro
