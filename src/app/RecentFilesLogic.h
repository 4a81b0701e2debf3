#pragma once
// The recent-file list: newest first, four entries, no duplicates.

#include <string>
#include <vector>

namespace kalviro {

class RecentFiles {
  public:
    static constexpr std::size_t kMaxEntries = 4;
    // Moves path to the front, dropping the oldest beyond four.
    void add(const std::string& path);
    void remove(const std::string& path);
    const std::vector<std::string>& entries() const { return entries_; }
    void assign(std::vector<std::string> paths);

  private:
    std::vector<std::string> entries_;
};

} // namespace kalviro
