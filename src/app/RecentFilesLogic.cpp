#include "app/RecentFilesLogic.h"

#include <algorithm>

namespace kalviro {

void RecentFiles::add(const std::string& path) {
    if (path.empty())
        return;
    remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kMaxEntries)
        entries_.resize(kMaxEntries);
}

void RecentFiles::remove(const std::string& path) {
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
}

void RecentFiles::assign(std::vector<std::string> paths) {
    entries_.clear();
    // Oldest last: adding from the back keeps the order and drops repeats.
    for (auto it = paths.rbegin(); it != paths.rend(); ++it)
        add(*it);
}

} // namespace kalviro
