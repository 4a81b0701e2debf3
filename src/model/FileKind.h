#pragma once
// Which reader a file name calls for, from its extension (any case).

#include <string>

namespace kalviro {

enum class FileKind {
    GaussianOutput, // .log .out
    GaussianInput,  // .dat .com .gjf
    GamessInput,    // .inp
    Checkpoint,     // .fchk .fch
    Molden,         // .molden .molf
    Unsupported,
};

FileKind fileKindOf(const std::string& path);

} // namespace kalviro
