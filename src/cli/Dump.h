#pragma once
// What `kalviro-cli dump` prints: the document after reading one file.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/CliCommands.h"

namespace kalviro {

struct Document;

// Reads path as the program opens it and returns the JSON object of the
// document; nullopt (message shown) when the file could not be read.
// load's checkpoint file and isotopes are applied first.
std::optional<nlohmann::json> dumpFile(const std::string& path, const LoadOptions& load = {});

// Number, spin, energy (hartree) and occupation of every orbital of a
// checkpoint or Molden file with shell data; empty for other files.
nlohmann::json orbitalList(const std::string& path);

// "atoms N modes N dipoleDerivatives N" of doc.
std::string dumpSummary(const Document& doc);

} // namespace kalviro
