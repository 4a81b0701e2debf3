#include "ir/SpectrumPreview.h"

#include <algorithm>
#include <cmath>

#include "ir/ProjectionCalculator.h"
#include "ir/SpectrumCalculator.h"
#include "model/NumberText.h"
#include "model/VibrationStore.h"
#include "platform/Platform.h"

namespace kalviro {
namespace {

constexpr Pen kBackgroundPen{{0, 0, 0}, 1, PenStyle::Solid};
constexpr Pen kAxisPen{{0, 255, 255}, 1, PenStyle::Solid};
constexpr Pen kCurvePens[3] = {{{255, 0, 0}, 1, PenStyle::Solid},
                               {{0, 255, 0}, 1, PenStyle::Solid},
                               {{0, 0, 255}, 1, PenStyle::Solid}};

// Truncation toward zero; values no int can hold (an infinite or undefined
// intensity) end far outside any canvas instead of being undefined.
int pixel(double v) {
    if (std::isnan(v))
        return 0;
    constexpr double kLimit = 1e9;
    if (v > kLimit)
        return static_cast<int>(kLimit);
    if (v < -kLimit)
        return -static_cast<int>(kLimit);
    return static_cast<int>(v);
}

bool isProjection(int viewMode) {
    return viewMode == 1 || viewMode == 2;
}

} // namespace

void runSpectrumCalculation(VibrationStore& store, int viewMode, int w) {
    switch (viewMode) {
    case 0:
        SpectrumCalculator().compute(w, store);
        break;
    case 1:
        XAxisProjection().compute(w, store);
        break;
    case 2:
        ZAxisProjection().compute(w, store);
        break;
    default:
        break;
    }
}

void drawPreview(Canvas2D& canvas, VibrationStore& store, int viewMode, int halfWidth) {
    const int clientWidth = canvas.width();
    const int clientHeight = canvas.height();
    canvas.setPen(kBackgroundPen);
    for (int x = 1; x <= clientWidth; ++x)
        canvas.drawLine(x, 0, x, clientHeight);

    const int bands = isProjection(viewMode) ? 6 : 1;
    canvas.setPen(kAxisPen);
    const float W = static_cast<float>(clientWidth);
    const float H = static_cast<float>(clientHeight);

    runSpectrumCalculation(store, viewMode, halfWidth);

    // Single precision as the plot has always been computed; the constants
    // are double, so the products are rounded once at the end.
    const float Y0 = static_cast<float>(H * 0.92);
    const float s = 900 / W; // wavenumber points per pixel
    const int A = pixel(Y0 / bands);
    const int axisY = pixel(Y0 * 1.02);
    const int tickTop = pixel(pixel(Y0) * 1.02);
    const int tickBottom = pixel(pixel(Y0) * 1.05);
    const int labelY = pixel(Y0 * 1.05);

    canvas.drawLine(0, axisY, pixel(W), axisY);
    for (int t = 0; t <= 900; t += 100) {
        const float x = t / s;
        canvas.drawLine(pixel(x), tickTop, pixel(x), tickBottom);
        canvas.drawText(std::to_string(kSpectrumFirstWavenumber + t), pixel(W - (x + 12)), labelY);
    }

    if (viewMode < 0 || viewMode > 2)
        return;
    canvas.setPen(kCurvePens[viewMode]);

    const float M = store.intensityMaximum;
    auto xAt = [&](int j) { return pixel(static_cast<float>(900 - j) / s); };

    if (viewMode == 0) {
        const auto& S = store.spectra[0];
        // M = 0 only when every stick is 0: the curve lies on its zero line.
        auto yAt = [&](int j) { return M == 0.0f ? 0 : pixel(static_cast<float>(A) * S[j] / M); };
        for (int j = 0; j + 1 < kSpectrumPoints; ++j)
            canvas.drawLine(xAt(j), yAt(j), xAt(j + 1), yAt(j + 1));
        return;
    }

    if (store.spectrumCount <= 0)
        return;
    // Curve k lies in band k, rows (k - 1) A to k A: its baseline at the
    // band's bottom, a height of A for M. Overlapping lines can sum above the
    // largest stick; the scale then grows so that no curve leaves its band.
    float top = M;
    for (int k = 1; k <= 6; ++k)
        for (float v : store.spectra[static_cast<std::size_t>(2 * (k - 1))])
            top = std::max(top, v);
    for (int k = 1; k <= 6; ++k) {
        const auto& S = store.spectra[static_cast<std::size_t>(2 * (k - 1))];
        const int bottom = k * A;
        auto yAt = [&](int j) {
            if (!(top > 0.0f))
                return bottom;
            // Rounded: the tails' tiny values stay on the baseline.
            return pixel(std::round(static_cast<float>(bottom) - static_cast<float>(A) * S[j] / top));
        };
        for (int j = 0; j + 1 < kSpectrumPoints; ++j)
            canvas.drawLine(xAt(j), yAt(j), xAt(j + 1), yAt(j + 1));
        // Beside the curve's low-wavenumber end, halfway up the band.
        canvas.drawText(std::to_string(30 * (k - 1)) + "°", pixel(850 / s), bottom - A / 2 - 8);
    }
}

bool SpectrumPreview::OnRecalculate(std::string_view editText, Canvas2D& canvas) {
    const int w = leadingInteger(editText);
    if (w == 0) {
        showMessage(kHalfWidthNotZero);
        return false;
    }
    halfWidth_ = w;
    drawPreview(canvas);
    return true;
}

void SpectrumPreview::show(Canvas2D& canvas) const {
    drawPreview(canvas);
    store_.spectrumReady = true;
}

} // namespace kalviro
