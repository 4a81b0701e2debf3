#pragma once
// Which quantum-chemistry program wrote an output file, told from the banner
// at its top rather than from the file name, and the reader for it.

#include <string>
#include <string_view>

#include "model/readers/FrequencyJob.h"
#include "model/readers/ReadResult.h"

namespace kalviro {

enum class OutputProgram { Unknown, Gaussian, Orca, QChem, GamessUS, Firefly, Psi4, NWChem };

// How much of the start of a file detectOutputProgram needs to see.
constexpr std::size_t kOutputBannerBytes = 64 * 1024;

// The program whose banner line comes first in head (the start of a file).
// A banner quoted later, in a title for instance, does not count.
OutputProgram detectOutputProgram(std::string_view head);

// Gaussian's release as the output's banner prints it ("Gaussian 09,
// Revision D.01"); "Gaussian" when head does not show it.
std::string gaussianRelease(std::string_view head);

// The program's name as users know it ("ORCA", "GAMESS-US", ...).
std::string_view outputProgramName(OutputProgram program);

// Reads a frequency job written by ORCA, Q-Chem, GAMESS-US, Firefly, Psi4
// or NWChem, choosing the reader from the banner. Gaussian outputs and
// files of no known program give a failure (Gaussian has a reader of its
// own).
ReadResult<FrequencyJob> readOtherProgramOutput(std::string_view text,
                                                std::string_view fileName = {});
ReadResult<FrequencyJob> readOtherProgramOutputFile(const std::string& path);

} // namespace kalviro
