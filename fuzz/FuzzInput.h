#pragma once
// Fuzz inputs reach the readers the way user files do: as a file on disk,
// opened through the program's own entry.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kalviro::fuzz {

// Writes the input to a scratch file with the given extension (reused
// between runs) and returns its path.
std::string writeInput(const std::uint8_t* data, std::size_t size, const std::string& extension);

// A platform that swallows messages.
void silenceMessages();

} // namespace kalviro::fuzz
