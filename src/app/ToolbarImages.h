#pragma once
// The sixteen-pixel toolbar pictures and the application icon, drawn in code.

#include <wx/bitmap.h>

namespace kalviro {

// The button picture of a toolbar command (a blank square for an unknown id).
wxBitmap toolbarImage(int id);
// The 32-pixel application icon: a small molecule.
wxBitmap applicationImage();

} // namespace kalviro
