#include "app/FileReadProgress.h"

#include <filesystem>

#include "app/DialogSupport.h"

namespace kalviro {
namespace {
constexpr int kGaugeRange = 1000;
}

FileReadProgress::FileReadProgress(wxWindow* owner, const std::string& path,
                                   std::chrono::milliseconds delay)
    : owner_(owner), path_(path), start_(std::chrono::steady_clock::now()), delay_(delay) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    size_ = ec ? 0 : size;
}

FileReadProgress::~FileReadProgress() {
    if (window_)
        window_->Destroy();
}

void FileReadProgress::open() {
    window_ = new wxDialog(owner_, wxID_ANY, u8("ファイルの読み込み"), wxDefaultPosition,
                           wxDefaultSize, wxCAPTION);
    window_->SetFont(dialogFont());
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    const std::string name = std::filesystem::path(path_).filename().string();
    sizer->Add(new wxStaticText(window_, wxID_ANY, u8(name)), 0, wxALL, 10);
    gauge_ = new wxGauge(window_, wxID_ANY, kGaugeRange, wxDefaultPosition, wxSize(300, -1));
    sizer->Add(gauge_, 0, wxLEFT | wxRIGHT | wxEXPAND, 10);
    sizer->Add(new wxButton(window_, wxID_CANCEL, u8("キャンセル")), 0, wxALL | wxALIGN_CENTRE, 10);
    window_->SetSizerAndFit(sizer);
    window_->Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { cancelled_ = true; }, wxID_CANCEL);
    // The window manager's close box means cancel too.
    window_->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { cancelled_ = true; });
    window_->CentreOnParent();
    keepOnScreen(window_);
    window_->Show();
}

bool FileReadProgress::operator()(std::uint64_t bytesRead) {
    if (cancelled_)
        return false;
    if (!window_) {
        if (std::chrono::steady_clock::now() - start_ < delay_)
            return true;
        open();
    }
    if (size_ > 0) {
        const auto done = std::min<std::uint64_t>(bytesRead, size_);
        gauge_->SetValue(static_cast<int>(done * kGaugeRange / size_));
    }
    // Only the cancel button takes input while the file is read.
    wxSafeYield(window_, true);
    return !cancelled_;
}

} // namespace kalviro
