#pragma once
// The view's two cursors, drawn in code: a closed grabbing hand while a
// button is held and an arrow after release.

#include <wx/cursor.h>

namespace kalviro {

wxCursor grabbingHandCursor(); // 32 x 32, hot spot (16, 14)
wxCursor arrowCursor();        // 32 x 32, hot spot (0, 0)

} // namespace kalviro
