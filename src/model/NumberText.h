#pragma once
// Numbers as the program writes and reads them in text files.

#include <string>
#include <string_view>

namespace kalviro {

// printf-style formatting of one double (fmt holds exactly one conversion)
// with exponents of at least three digits, as the program has always
// written them on every platform: "%g" of 1.5e-7 gives "1.5e-007".
std::string formatNumber(const char* fmt, double value);

// "%g": six significant digits, three-digit exponent.
inline std::string formatG(double value) { return formatNumber("%g", value); }

// The number at the start of text, as the C library's string-to-double
// conversion reads it, with D and d also taken as exponent letters
// (1.5D-01 is 0.15). 0 when text does not start with a number.
double parseNumber(std::string_view text);

// A token of at most 15 digits with an optional sign and decimal point
// ("-0.25", "12"), read without the general conversion to the same double;
// false for anything else (exponents, longer tokens, "5.", ".5").
bool parsePlainDecimal(std::string_view token, double& out);

// Like parseNumber, but only when the whole token is a number.
bool parseWholeNumber(std::string_view token, double& out);

// A whole token as a decimal integer (optional sign).
bool parseWholeInteger(std::string_view token, long& out);

// The C library's text-to-integer reading of what text starts with: leading
// blanks, sign, digits, clamped to int; 0 when there is no number.
int leadingInteger(std::string_view text);

} // namespace kalviro
