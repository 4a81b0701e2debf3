#pragma once
// The view's two cursors, drawn in code: a closed grabbing hand while a
// button is held and an arrow after release.

#include <wx/cursor.h>
#include <wx/image.h>

namespace kalviro {

wxCursor grabbingHandCursor(); // 32 x 32, hot spot (16, 14)
wxCursor arrowCursor();        // 32 x 32, hot spot (0, 0)

// Their pictures, masked, with the hot spot in the image options.
wxImage grabbingHandImage();
wxImage arrowImage();

} // namespace kalviro
