#include "app/AppHooks.h"

namespace kalviro {

AppHooks& appHooks() {
    static AppHooks hooks;
    return hooks;
}

} // namespace kalviro
