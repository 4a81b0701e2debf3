#pragma once
// Saving without ever leaving a truncated file: the content goes to a
// temporary file beside the target, which replaces the target only when
// everything was written.

#include <string>
#include <string_view>

namespace kalviro {

// Writes content to path; false when any step failed, and then the target is
// as it was before and errno tells why (EISDIR when path is a folder).
bool writeFileAtomically(const std::string& path, std::string_view content);

} // namespace kalviro
