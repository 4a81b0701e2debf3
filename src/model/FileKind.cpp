#include "model/FileKind.h"

namespace kalviro {

FileKind fileKindOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        return FileKind::Unsupported;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (ext == "log" || ext == "out")
        return FileKind::GaussianOutput;
    if (ext == "dat" || ext == "com" || ext == "gjf")
        return FileKind::GaussianInput;
    if (ext == "inp")
        return FileKind::GamessInput;
    if (ext == "fchk" || ext == "fch")
        return FileKind::Checkpoint;
    return FileKind::Unsupported;
}

} // namespace kalviro
