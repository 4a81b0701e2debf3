#pragma once
// The platform of a batch run: messages go to standard error and no dialog
// ever opens (a dialog asked for counts as cancelled).

#include "platform/Platform.h"

namespace kalviro {

class BatchPlatform final : public Platform {
public:
    void showMessage(const std::string& text) override;
    std::optional<std::string> chooseOpenPath(const FileDialogRequest&) override;
    std::optional<std::string> chooseSavePath(const FileDialogRequest&) override;
    void redrawView() override {}
};

} // namespace kalviro
