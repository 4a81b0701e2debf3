#pragma once
// What the coordinate axis dialog's buttons do, without the window.

#include <string>

namespace kalviro {

// "設定": the typed text becomes the dipole origin; with "始点を原点に設定"
// ticked the origin is "0" instead. Returns the text the edit shows next.
// origin is the document's dipole origin.
std::string applyAxisOrigin(std::string& origin, std::string typed, bool startAtOrigin);

// "初期化": the arrow starts at the model origin; the edit is left alone.
void resetAxisOrigin(std::string& origin);

} // namespace kalviro
