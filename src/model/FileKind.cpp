#include "model/FileKind.h"

#include "model/LineTokens.h"

namespace kalviro {

FileKind fileKindOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        return FileKind::Unsupported;
    const std::string ext = lowerCase(std::string_view(path).substr(dot + 1));
    if (ext == "log" || ext == "out")
        return FileKind::GaussianOutput;
    if (ext == "dat" || ext == "com" || ext == "gjf")
        return FileKind::GaussianInput;
    if (ext == "inp")
        return FileKind::GamessInput;
    if (ext == "fchk" || ext == "fch")
        return FileKind::Checkpoint;
    if (ext == "molden" || ext == "molf")
        return FileKind::Molden;
    return FileKind::Unsupported;
}

} // namespace kalviro
