#include "app/AxisDialogLogic.h"

#include "render/ViewCommands.h"

namespace kalviro {

std::string applyAxisOrigin(const std::string& typed, bool startAtOrigin) {
    dipoleOrigin() = startAtOrigin ? std::string("0") : typed;
    return dipoleOrigin();
}

void resetAxisOrigin() {
    dipoleOrigin() = "0";
}

} // namespace kalviro
