#pragma once
// The spectrum preview without its window: which calculation runs, the half
// width the user typed, and the plot drawn on a Canvas2D. The desktop dialog
// owns one SpectrumPreview and hands it the canvas of its frame control.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Canvas2D.h"
#include "model/VibrationStore.h"
#include "platform/Messages.h"

namespace kalviro {

// Shown when the half width would be 0.
inline constexpr const char* kHalfWidthNotZero = msg::kHalfWidthNotZero;

// Runs the calculation viewMode selects (0 plain spectrum, 1 projection about
// X, 2 about Z, anything else none) with half width w into store.
void runSpectrumCalculation(VibrationStore& store, int viewMode, int w);

// Runs the calculation, then paints the plot over the whole canvas: black
// background, cyan axis with ticks and labels 600 .. 1500 (right to left),
// and the curve(s) in red, green or blue by viewMode.
void drawPreview(Canvas2D& canvas, VibrationStore& store, int viewMode, int halfWidth);

class SpectrumPreview {
  public:
    // The store the curves are computed into and the calculation viewMode
    // selects; both outlive the preview.
    SpectrumPreview(VibrationStore& store, const std::int32_t& viewMode)
        : store_(store), viewMode_(viewMode) {}
    int halfWidth() const { return halfWidth_; }
    // The text the half-width edit shows.
    std::string halfWidthText() const { return std::to_string(halfWidth_); }
    void drawPreview(Canvas2D& canvas) const {
        kalviro::drawPreview(canvas, store_, viewMode_, halfWidth_);
    }
    // The "再計算" button: takes the edit's text as the new half width and
    // redraws. A width of 0 is refused with a message and changes nothing;
    // returns whether it redrew.
    bool OnRecalculate(std::string_view editText, Canvas2D& canvas);

    // A calculation command once the preview exists: draw (which
    // calculates), then mark the spectrum as ready for export.
    void show(Canvas2D& canvas) const;

  private:
    VibrationStore& store_;
    const std::int32_t& viewMode_;
    int halfWidth_ = 2;
};

} // namespace kalviro
