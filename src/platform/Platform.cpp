#include "platform/Platform.h"

#include <cstdio>

namespace kalviro {
namespace {

class QuietPlatform final : public Platform {
public:
    void showMessage(const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    std::optional<std::string> chooseOpenPath(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseSavePath(const FileDialogRequest&) override {
        return std::nullopt;
    }
    void redrawView() override {}
};

QuietPlatform quietPlatform;
Platform* currentPlatform = &quietPlatform;

} // namespace

Platform& platform() { return *currentPlatform; }

void setPlatform(Platform* p) { currentPlatform = p ? p : &quietPlatform; }

void showMessage(const std::string& text) { platform().showMessage(text); }

} // namespace kalviro
