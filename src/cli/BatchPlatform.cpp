#include "cli/BatchPlatform.h"

#include <cstdio>

namespace kalviro {

void BatchPlatform::showMessage(const std::string& text) {
    std::fprintf(stderr, "kalviro-cli: %s\n", text.c_str());
}

std::optional<std::string> BatchPlatform::chooseOpenPath(const FileDialogRequest&) {
    return std::nullopt;
}

std::optional<std::string> BatchPlatform::chooseSavePath(const FileDialogRequest&) {
    return std::nullopt;
}

} // namespace kalviro
