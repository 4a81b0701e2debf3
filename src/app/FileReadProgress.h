#pragma once
// The progress window of a long file reading: it appears once the reading
// has taken longer than a moment, names the file, and offers a cancel button.

#include <chrono>
#include <cstdint>
#include <string>

#include <wx/wx.h>

namespace kalviro {

class FileReadProgress {
  public:
    // owner: the window the progress window belongs to (may be null).
    FileReadProgress(wxWindow* owner, const std::string& path,
                     std::chrono::milliseconds delay = std::chrono::milliseconds(500));
    ~FileReadProgress();
    FileReadProgress(const FileReadProgress&) = delete;
    FileReadProgress& operator=(const FileReadProgress&) = delete;

    // The reader's report of bytes read so far; false once the user cancelled.
    bool operator()(std::uint64_t bytesRead);

    // The window, once shown (null before).
    wxDialog* window() const { return window_; }
    bool cancelled() const { return cancelled_; }

  private:
    void open();

    wxWindow* owner_;
    std::string path_;
    std::uint64_t size_ = 0;
    std::chrono::steady_clock::time_point start_;
    std::chrono::milliseconds delay_;
    wxDialog* window_ = nullptr;
    wxGauge* gauge_ = nullptr;
    bool cancelled_ = false;
};

} // namespace kalviro
