#include "app/AppConfig.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include <wx/fileconf.h>

#include "app/DialogSupport.h"
#include "app/FrameLayout.h"
#include "app/RecentFilesLogic.h"

namespace kalviro {
namespace {

constexpr const char* kRecentGroup = "/Recent File List/File";

std::unique_ptr<wxFileConfig> openConfig() {
    const std::string path = configFilePath();
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    return std::make_unique<wxFileConfig>(kAppTitle, u8(kVendorName), u8(path), wxEmptyString,
                                          wxCONFIG_USE_LOCAL_FILE);
}

} // namespace

std::string configFilePath() {
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = std::filesystem::temp_directory_path();
    return (base / kVendorName / "KALVIRO.conf").string();
}

std::vector<std::string> loadRecentFiles() {
    auto config = openConfig();
    std::vector<std::string> paths;
    for (std::size_t i = 1; i <= RecentFiles::kMaxEntries; ++i) {
        wxString value;
        if (config->Read(wxString::Format("%s%zu", kRecentGroup, i), &value) && !value.empty())
            paths.push_back(toU8(value));
    }
    return paths;
}

void saveRecentFiles(const std::vector<std::string>& paths) {
    auto config = openConfig();
    config->DeleteGroup("/Recent File List");
    for (std::size_t i = 0; i < paths.size(); ++i)
        config->Write(wxString::Format("%s%zu", kRecentGroup, i + 1), u8(paths[i]));
    config->Flush();
}

} // namespace kalviro
