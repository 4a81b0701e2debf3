#pragma once
// What `kalviro-cli dump` prints: the document after reading one file.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace kalviro {

// Reads path as the program opens it and returns the JSON object of the
// stores; nullopt (message shown) when the file could not be read.
std::optional<nlohmann::json> dumpFile(const std::string& path);

// "atoms N modes N dipoleDerivatives N" of the process-wide stores.
std::string dumpSummary();

} // namespace kalviro
