#pragma once
// The program's settings file: the recent-file list, kept with wxFileConfig
// under the application and vendor names in the user's configuration folder.

#include <string>
#include <vector>

namespace kalviro {

// $XDG_CONFIG_HOME (or ~/.config) / vendor / KALVIRO.conf
std::string configFilePath();
std::vector<std::string> loadRecentFiles();
void saveRecentFiles(const std::vector<std::string>& paths);

} // namespace kalviro
