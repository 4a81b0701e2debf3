#include "FuzzInput.h"

#include <cstdio>
#include <unistd.h>

#include "platform/Platform.h"

namespace kalviro::fuzz {
namespace {

class SilentPlatform final : public Platform {
public:
    void showMessage(const std::string&) override {}
    std::optional<std::string> chooseOpenPath(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> chooseSavePath(const FileDialogRequest&) override { return {}; }
    void redrawView() override {}
};

SilentPlatform silent;

} // namespace

std::string writeInput(const std::uint8_t* data, std::size_t size, const std::string& extension) {
    const std::string path = "/tmp/kalviro-fuzz-" + std::to_string(::getpid()) + extension;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

void silenceMessages() {
    setPlatform(&silent);
}

} // namespace kalviro::fuzz
