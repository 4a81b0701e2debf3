#include "app/AxisDialogLogic.h"

#include "render/ViewCommands.h"

namespace kalviro {

std::string applyAxisOrigin(std::string typed, bool startAtOrigin) {
    std::string& origin = dipoleOrigin();
    if (startAtOrigin)
        origin = std::string(1, '0');
    else
        origin = std::move(typed);
    return origin;
}

void resetAxisOrigin() {
    dipoleOrigin() = std::string(1, '0'); // not = "0": GCC 12 warns falsely on that
}

} // namespace kalviro
