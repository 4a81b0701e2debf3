#pragma once
// What the desktop program's windows ask of the drawing, picking and file
// code. The program fills these at start-up; an empty hook does nothing.

#include <functional>
#include <string>
#include <utility>

namespace kalviro {

struct AppHooks {
    // Draws one frame; the view's GL context is current, width x height is
    // its client area. Empty: the view clears to its background colour.
    std::function<void(int width, int height)> drawFrame;
    // Left click in pick mode at client (x, y); the context is current.
    std::function<void(int x, int y)> pickAt;
    // After a left drag moved: panX/panY from the drag record.
    std::function<void()> panUpdate;
    // After a right drag moved: pending rotations from the drag record.
    std::function<void(int clientWidth, int clientHeight)> rotationUpdate;
    // The two atom numbers picked last (0 for an empty slot).
    std::function<std::pair<int, int>()> pickedAtoms;
    // Opens a file by its extension, as the open commands do (command
    // line, recent files, a second start).
    std::function<void(const std::string& path)> openFile;
};

AppHooks& appHooks();

} // namespace kalviro
