#pragma once
// Where the commands sit in the main frame's menus and toolbar, and where the
// frame opens, as plain data; the texts come from the command table.

#include <string>
#include <vector>

namespace kalviro {

struct MenuPopup {
    const char* title; // UTF-8
    std::vector<int> commands; // 0 marks a separator
};

// The menu bar, popups and entries in order.
const std::vector<MenuPopup>& menuLayout();

// Toolbar buttons left to right; 0 marks a separator.
const std::vector<int>& toolbarLayout();

// wx takes menu ids below 32767 only: the program's command ids are moved
// down into a free range for the menus and toolbar, and back for the table.
int menuIdFor(int command);
int commandForMenuId(int menuId);

// Where the 600 x 600 main window opens on a screen of the given size.
struct FramePlacement {
    int x, y, width, height;
};
FramePlacement mainFramePlacement(int screenWidth, int screenHeight);

// Texts of the application.
inline constexpr const char* kAppTitle = "KALVIRO";
inline constexpr const char* kVendorName = "Local AppWizard-Generated Applications";
inline constexpr const char* kIdleText = "ﾚﾃﾞｨ";

} // namespace kalviro
