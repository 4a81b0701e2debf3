#pragma once
// The main frame's menus, toolbar order and placement as plain data, so the
// frame builds from it and tests read it without a display.

#include <string>
#include <vector>

namespace kalviro {

struct MenuEntry {
    const char* text = nullptr; // UTF-8; nullptr for a separator
    int id = 0;
    bool isSeparator() const { return text == nullptr; }
};

struct MenuPopup {
    const char* title;
    std::vector<MenuEntry> entries;
};

// The menu bar, popups and entries in order.
const std::vector<MenuPopup>& menuLayout();

// Toolbar buttons left to right; 0 marks a separator.
const std::vector<int>& toolbarLayout();

// Commands whose menu item or button carries a check mark.
bool commandIsCheckable(int id);

// The status text's first line (the status bar) and second line (the tooltip).
std::string statusLine(int id);
std::string tooltipLine(int id);

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
inline constexpr const char* kHomePage = "https://kalviro.example.org/";

} // namespace kalviro
