#include "app/AxisDialogLogic.h"


namespace kalviro {

std::string applyAxisOrigin(std::string& origin, std::string typed, bool startAtOrigin) {
    if (startAtOrigin)
        origin = std::string(1, '0');
    else
        origin = std::move(typed);
    return origin;
}

void resetAxisOrigin(std::string& origin) {
    origin = std::string(1, '0'); // not = "0": GCC 12 warns falsely on that
}

} // namespace kalviro
