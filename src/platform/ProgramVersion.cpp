#include "platform/ProgramVersion.h"

namespace kalviro {

const char* programVersion() {
    // Set by the build from project(VERSION); one place for both programs.
    return KALVIRO_VERSION;
}

} // namespace kalviro
