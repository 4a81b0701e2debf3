// The preview plot on a recording canvas of 600 x 560 pixels: Y0 = 515.2,
// 1.5 wavenumber points per pixel, band height 515 (one band) or 85 (six).

#include <gtest/gtest.h>

#include <climits>

#include "ir/SpectrumCalculator.h"
#include "ir/SpectrumPreview.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "support/RecordingCanvas.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::RecordingCanvas;

constexpr Pen kBlack{{0, 0, 0}, 1, PenStyle::Solid};
constexpr Pen kCyan{{0, 255, 255}, 1, PenStyle::Solid};
constexpr Pen kRed{{255, 0, 0}, 1, PenStyle::Solid};
constexpr Pen kGreen{{0, 255, 0}, 1, PenStyle::Solid};
constexpr Pen kBlue{{0, 0, 255}, 1, PenStyle::Solid};

class Preview : public test::ProcessStateTest {
  protected:
    void SetUp() override {
        ProcessStateTest::SetUp();
        intensityMaximum() = 0;
    }
    void loadSingleMode(const Vector3& dipole, const char* wavenumber = "1000.0") {
        vibrationStore().frequencies = {wavenumber};
        vibrationStore().dipoleDerivatives = {dipole};
    }
    RecordingCanvas canvas_{600, 560};
};

TEST_F(Preview, SpectrumModeDrawsThe600PixelExample) {
    loadSingleMode({3, 0, 4});
    moleculeState().viewMode = 0;
    drawPreview(canvas_, 2);

    EXPECT_EQ(canvas_.pens, (std::vector<Pen>{kBlack, kCyan, kRed}));

    // Background: one vertical line per column 1 .. 600.
    const auto background = canvas_.linesWith(kBlack);
    ASSERT_EQ(background.size(), 600u);
    EXPECT_EQ(std::tie(background[0].x1, background[0].y1, background[0].x2, background[0].y2),
              std::make_tuple(1, 0, 1, 560));
    EXPECT_EQ(background[599].x1, 600);

    // Axis at (int)(515.2 * 1.02) = 525, ticks from (int)(515 * 1.02) = 525
    // to (int)(515 * 1.05) = 540 at x = t / 1.5.
    const auto axis = canvas_.linesWith(kCyan);
    ASSERT_EQ(axis.size(), 11u);
    EXPECT_EQ(std::tie(axis[0].x1, axis[0].y1, axis[0].x2, axis[0].y2),
              std::make_tuple(0, 525, 600, 525));
    const int tickX[10] = {0, 66, 133, 200, 266, 333, 400, 466, 533, 600};
    for (int i = 0; i < 10; ++i) {
        const auto& t = axis[1 + i];
        EXPECT_EQ(std::tie(t.x1, t.y1, t.x2, t.y2), std::make_tuple(tickX[i], 525, tickX[i], 540))
            << "tick " << i;
    }

    // Labels 600 .. 1500, each starting 12 pixels left of its tick, mirrored.
    ASSERT_EQ(canvas_.texts.size(), 10u);
    const int labelX[10] = {588, 521, 454, 388, 321, 254, 188, 121, 54, -12};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(canvas_.texts[i].text, std::to_string(600 + 100 * i));
        EXPECT_EQ(canvas_.texts[i].x, labelX[i]) << canvas_.texts[i].text;
        EXPECT_EQ(canvas_.texts[i].y, 540); // (int)(515.2 * 1.05)
    }

    // One red curve of 899 segments from 600 cm-1 at x = 600 to 1499 at x = 0.
    const auto curves = canvas_.pathsWith(kRed);
    ASSERT_EQ(curves.size(), 1u);
    const auto& p = curves[0].points;
    ASSERT_EQ(p.size(), 900u);
    EXPECT_EQ(p[0], std::make_pair(600, 0));
    EXPECT_EQ(p[1].first, 599);
    EXPECT_EQ(p[899].first, 0);
    // Peak 5 = M hangs down to A = 515 at (900 - 400) / 1.5 = 333.
    EXPECT_EQ(p[400], std::make_pair(333, 515));
    EXPECT_EQ(p[399], std::make_pair(334, 257)); // 515 * 2.5 / 5 = 257.5
    EXPECT_EQ(p[402], std::make_pair(332, 103)); // 515 * 1 / 5
}

struct ProjectionCase {
    int viewMode;
    Pen pen;
};

class ProjectionPreview : public Preview, public ::testing::WithParamInterface<ProjectionCase> {};

TEST_P(ProjectionPreview, DrawsSixCurvesAndSixAngleLabels) {
    loadSingleMode({0, 1, 0}); // cos^2 about either axis, M = 1
    moleculeState().viewMode = GetParam().viewMode;
    drawPreview(canvas_, 2);
    EXPECT_FLOAT_EQ(intensityMaximum(), 1.0f);

    const auto curves = canvas_.pathsWith(GetParam().pen);
    ASSERT_EQ(curves.size(), 6u);
    // Six bands of (int)(515.2 / 6) = 85; curve k at 1000 cm-1 (x = 333):
    // (int)(85 k + (85 - 85 cos^2(30 (k - 1))) / 1).
    const int peakY[6] = {85, 191, 318, 425, 488, 531};
    for (int k = 0; k < 6; ++k) {
        ASSERT_EQ(curves[k].points.size(), 900u);
        EXPECT_EQ(curves[k].points[400], std::make_pair(333, peakY[k])) << "curve " << k;
        EXPECT_EQ(curves[k].points[0].first, 600);
    }

    // Ten wavenumber labels, then an angle label after each curve at
    // ((int)(850 / 1.5), 85 k).
    ASSERT_EQ(canvas_.texts.size(), 16u);
    for (int k = 0; k < 6; ++k) {
        const auto& t = canvas_.texts[10 + k];
        EXPECT_EQ(t.text, std::to_string(30 * k) + "°");
        EXPECT_EQ(t.x, 566);
        EXPECT_EQ(t.y, 85 * (k + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(BothAxes, ProjectionPreview,
                         ::testing::Values(ProjectionCase{1, kGreen}, ProjectionCase{2, kBlue}));

TEST_F(Preview, ZeroMaximumDrawsFlatCurvesOnTheirZeroLines) {
    loadSingleMode({0, 0, 0});
    moleculeState().viewMode = 0;
    drawPreview(canvas_, 2);
    for (const auto& l : canvas_.linesWith(kRed))
        ASSERT_TRUE(l.y1 == 0 && l.y2 == 0);

    RecordingCanvas projection(600, 560);
    loadSingleMode({1, 0, 0}); // nothing along the normal about X
    moleculeState().viewMode = 1;
    drawPreview(projection, 2);
    const auto curves = projection.pathsWith(kGreen);
    ASSERT_EQ(curves.size(), 6u);
    for (int k = 0; k < 6; ++k)
        for (const auto& pt : curves[k].points)
            ASSERT_EQ(pt.second, 85 * (k + 1));
}

TEST_F(Preview, UnknownViewModeDrawsAxisButNoCurve) {
    loadSingleMode({3, 0, 4});
    vibrationStore().spectra[0][400] = 9;
    moleculeState().viewMode = 3;
    drawPreview(canvas_, 2);
    EXPECT_EQ(canvas_.pens, (std::vector<Pen>{kBlack, kCyan}));
    EXPECT_EQ(canvas_.texts.size(), 10u);
    EXPECT_EQ(vibrationStore().spectra[0][400], 9.0f); // nothing calculated
}

TEST_F(Preview, ShowMarksTheSpectrumReadyAndRecalculateDoesNot) {
    loadSingleMode({3, 0, 4});
    SpectrumPreview preview;
    ASSERT_TRUE(preview.OnRecalculate("4", canvas_));
    EXPECT_EQ(vibrationStore().spectrumReady, 0);
    showSpectrumPreview(preview, canvas_);
    EXPECT_EQ(vibrationStore().spectrumReady, 1);
}

TEST_F(Preview, RecalculateWithAWiderWidthWidensAndKeepsTheMaximum) {
    loadSingleMode({3, 0, 4});
    SpectrumPreview preview;
    EXPECT_EQ(preview.halfWidthText(), "2");
    showSpectrumPreview(preview, canvas_);
    EXPECT_FLOAT_EQ(vibrationStore().spectra[0][401], 2.5f);

    ASSERT_TRUE(preview.OnRecalculate("10", canvas_));
    EXPECT_EQ(preview.halfWidth(), 10);
    EXPECT_NEAR(vibrationStore().spectra[0][401], 5 / 1.04, 1e-5);
    EXPECT_FLOAT_EQ(intensityMaximum(), 5.0f);

    // The next calculation command keeps the width.
    showSpectrumPreview(preview, canvas_);
    EXPECT_NEAR(vibrationStore().spectra[0][401], 5 / 1.04, 1e-5);
}

TEST_F(Preview, RecalculateRefusesWidthZeroAndKeepsTheOldOne) {
    loadSingleMode({3, 0, 4});
    SpectrumPreview preview;
    ASSERT_TRUE(preview.OnRecalculate("6", canvas_));
    for (const char* text : {"0", "", "abc", " -0"}) {
        RecordingCanvas untouched(600, 560);
        vibrationStore().spectra[0][400] = -1;
        EXPECT_FALSE(preview.OnRecalculate(text, untouched)) << '"' << text << '"';
        EXPECT_EQ(preview.halfWidth(), 6);
        EXPECT_TRUE(untouched.empty());
        EXPECT_EQ(vibrationStore().spectra[0][400], -1.0f); // not recalculated
    }
    ASSERT_EQ(platform_.messages.size(), 4u);
    EXPECT_EQ(platform_.messages[0], "半値幅には0以外の整数を入力してください");

    // A negative width is its absolute value.
    ASSERT_TRUE(preview.OnRecalculate("-4", canvas_));
    EXPECT_FLOAT_EQ(vibrationStore().spectra[0][402], 2.5f);
}

TEST(LeadingInteger, ReadsAsTheCLibraryDoesWithoutOverflow) {
    const std::pair<const char*, int> cases[] = {{"", 0},
                                                 {"abc", 0},
                                                 {"  42", 42},
                                                 {"+7", 7},
                                                 {"-3x", -3},
                                                 {"12.9", 12},
                                                 {"1e3", 1},
                                                 {"\t\n5", 5},
                                                 {"- 5", 0},
                                                 {"2147483647", INT_MAX},
                                                 {"99999999999", INT_MAX},
                                                 {"-2147483648", INT_MIN},
                                                 {"-99999999999", INT_MIN},
                                                 {"０", 0}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(leadingInteger(text), expected) << '"' << text << '"';
}

} // namespace
} // namespace kalviro
