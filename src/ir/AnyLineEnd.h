#pragma once
// Lines of spectrum files, which come from instruments of every platform:
// CR LF, LF or a lone CR ends a line.

#include <cstddef>
#include <string_view>

namespace kalviro {

// The line that starts at pos (without its end), and pos moved past its end;
// false when pos is at the end of text.
inline bool nextLineAnyEnd(std::string_view text, std::size_t& pos, std::string_view& line) {
    if (pos >= text.size())
        return false;
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos)
        end = text.size();
    line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '\r')
        ++pos;
    if (pos < text.size() && text[pos] == '\n')
        ++pos;
    return true;
}

} // namespace kalviro
