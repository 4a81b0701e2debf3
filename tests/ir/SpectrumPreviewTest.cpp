// The preview plot on a recording canvas of 600 x 560 pixels: Y0 = 515.2,
// 1.5 wavenumber points per pixel, band height 515 (one band) or 85 (six).

#include <gtest/gtest.h>

#include <algorithm>

#include "XmlCheck.h"
#include "document/FileOpening.h"
#include "ir/SpectrumCalculator.h"
#include "ir/SpectrumPlot.h"
#include "ir/SpectrumPreview.h"
#include "ir/SvgCanvas.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "support/RecordingCanvas.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using Points = test::RecordingCanvas::Points;
using P = std::pair<int, int>;

constexpr Pen kBlack{{0, 0, 0}}, kCyan{{0, 255, 255}}, kRed{{255, 0, 0}}, kGreen{{0, 255, 0}},
    kBlue{{0, 0, 255}};

class Preview : public test::DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc.vibrations.intensityMaximum = 0;
    }
    void draw(const Vector3& dipole, int viewMode) {
        doc.vibrations.frequencies = {"1000.0"};
        doc.vibrations.dipoleDerivatives = {dipole};
        doc.vibrations.intensities = {std::to_string(dipole.x * dipole.x + dipole.y * dipole.y +
                                                     dipole.z * dipole.z)};
        doc.molecule.viewMode = viewMode;
        drawPreview(canvas_, doc.vibrations, doc.molecule.viewMode, 2);
    }
    test::RecordingCanvas canvas_{600, 560};
};

TEST_F(Preview, SpectrumModeDrawsThe600PixelExample) {
    draw({3, 0, 4}, 0);
    EXPECT_EQ(canvas_.pens, (std::vector<Pen>{kBlack, kCyan, kRed}));
    const auto background = canvas_.linesWith(kBlack); // columns 1 .. 600
    ASSERT_EQ(background.size(), 600u);
    EXPECT_EQ((P{background[0].x1, background[0].y2}), (P{1, 560}));
    EXPECT_EQ(background[599].x1, 600);

    // Axis at (int)(515.2 * 1.02); ticks from (int)(515 * 1.02) to
    // (int)(515 * 1.05) at x = t / 1.5; labels 12 pixels left of the mirror.
    const auto axis = canvas_.linesWith(kCyan);
    ASSERT_EQ(axis.size(), 11u);
    EXPECT_EQ((std::array{axis[0].x1, axis[0].y1, axis[0].x2, axis[0].y2}),
              (std::array{0, 525, 600, 525}));
    const int tickX[10] = {0, 66, 133, 200, 266, 333, 400, 466, 533, 600};
    const int labelX[10] = {588, 521, 454, 388, 321, 254, 188, 121, 54, -12};
    ASSERT_EQ(canvas_.texts.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ((std::array{axis[1 + i].x1, axis[1 + i].y1, axis[1 + i].x2, axis[1 + i].y2}),
                  (std::array{tickX[i], 525, tickX[i], 540}));
        EXPECT_EQ(canvas_.texts[i].text, std::to_string(600 + 100 * i));
        EXPECT_EQ((P{canvas_.texts[i].x, canvas_.texts[i].y}), (P{labelX[i], 540}));
    }

    // One curve, 600 cm-1 at x = 600 to 1499 at x = 0, peak M = 5 at y = A.
    const auto curves = canvas_.pathsWith(kRed);
    ASSERT_EQ(curves.size(), 1u);
    const Points& p = curves[0];
    ASSERT_EQ(p.size(), 900u);
    EXPECT_EQ(p[0], (P{600, 0}));
    EXPECT_EQ(p[899], (P{0, 0}));
    EXPECT_EQ(p[400], (P{333, 515}));
    EXPECT_EQ(p[399], (P{334, 257})); // 515 * 2.5 / 5
    EXPECT_EQ(p[402], (P{332, 103})); // 515 * 1 / 5
}

TEST_F(Preview, ProjectionsDrawSixCurvesAndSixAngleLabels) {
    for (auto [viewMode, pen] : {std::pair{1, kGreen}, std::pair{2, kBlue}}) {
        canvas_ = test::RecordingCanvas(600, 560);
        draw({0, 1, 0}, viewMode); // cos^2 about either axis, M = 1
        const auto curves = canvas_.pathsWith(pen);
        ASSERT_EQ(curves.size(), 6u);
        // At 1000 cm-1, band k's bottom less its height: round(85 k - 85 cos^2(30 (k - 1))).
        const int peakY[6] = {0, 106, 234, 340, 404, 446};
        ASSERT_EQ(canvas_.texts.size(), 16u);
        for (int k = 0; k < 6; ++k) {
            ASSERT_EQ(curves[k].size(), 900u);
            EXPECT_EQ(curves[k][400], (P{333, peakY[k]})) << viewMode << " curve " << k;
            const auto& label = canvas_.texts[10 + k]; // halfway up the band, 8 higher for the text
            EXPECT_EQ(label.text, std::to_string(30 * k) + "°");
            EXPECT_EQ((P{label.x, label.y}), (P{566, 85 * (k + 1) - 42 - 8}));
        }
    }
}

// The bundled example (its largest stick, the C=O band, outside the plot's
// 600 .. 1499 cm-1): every curve is drawn within its band, 85 k - 85 to 85 k,
// on its baseline at the bottom; before, all fell below the plot.
TEST_F(Preview, TheExamplesProjectionsStayInTheirBands) {
    ASSERT_TRUE(openMoleculeFile(doc, test::examplePath("formaldehyde_opt_freq.log")).read);
    for (auto [viewMode, pen] : {std::pair{1, kGreen}, std::pair{2, kBlue}}) {
        canvas_ = test::RecordingCanvas(600, 560);
        drawPreview(canvas_, doc.vibrations, viewMode, 2);
        const auto curves = canvas_.pathsWith(pen);
        ASSERT_EQ(curves.size(), 6u);
        int tallest = 0;
        for (int k = 1; k <= 6; ++k) {
            const auto [low, high] = std::minmax_element(
                curves[k - 1].begin(), curves[k - 1].end(),
                [](const P& a, const P& b) { return a.second < b.second; });
            EXPECT_GE(low->second, 85 * k - 85) << viewMode << " curve " << k;
            EXPECT_EQ(high->second, 85 * k) << viewMode << " curve " << k;
            tallest = std::max(tallest, 85 * k - low->second);
        }
        EXPECT_GE(tallest, 5) << viewMode;
    }
}

TEST_F(Preview, ZeroMaximumDrawsFlatCurvesOnTheirZeroLines) {
    draw({0, 0, 0}, 0);
    for (const auto& l : canvas_.linesWith(kRed))
        ASSERT_EQ((P{l.y1, l.y2}), (P{0, 0}));
    canvas_ = test::RecordingCanvas(600, 560);
    draw({1, 0, 0}, 1); // nothing along the normal about X
    const auto curves = canvas_.pathsWith(kGreen);
    ASSERT_EQ(curves.size(), 6u);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(std::count_if(curves[k].begin(), curves[k].end(),
                                [&](const P& p) { return p.second == 85 * (k + 1); }),
                  900);
}

TEST_F(Preview, RecalculateTakesTheEditTextAndRefusesZero) {
    doc.vibrations.frequencies = {"1000.0"};
    doc.vibrations.intensities = {"25.0000"};
    SpectrumPreview preview(doc.vibrations, doc.molecule.viewMode);
    EXPECT_EQ(preview.halfWidthText(), "2");
    ASSERT_TRUE(preview.OnRecalculate("10", canvas_));
    EXPECT_FALSE(doc.vibrations.spectrumReady);
    EXPECT_NEAR(doc.vibrations.spectra[0][401], 25 / 1.04, 1e-5);
    EXPECT_FLOAT_EQ(doc.vibrations.intensityMaximum, 25.0f);

    for (const char* text : {"0", "", "abc", " -0"}) {
        test::RecordingCanvas untouched(600, 560);
        EXPECT_FALSE(preview.OnRecalculate(text, untouched)) << '"' << text << '"';
        EXPECT_TRUE(untouched.pens.empty() && untouched.lines.empty());
    }
    EXPECT_EQ(platform_.messages,
              std::vector<std::string>(4, "半値幅には0以外の整数を入力してください"));
    EXPECT_EQ(preview.halfWidth(), 10); // and the next calculation keeps it
    doc.vibrations.spectra[0][401] = 0;
    preview.show(canvas_);
    EXPECT_NEAR(doc.vibrations.spectra[0][401], 25 / 1.04, 1e-5);
    EXPECT_TRUE(doc.vibrations.spectrumReady);

    ASSERT_TRUE(preview.OnRecalculate("-4", canvas_)); // as its absolute value
    EXPECT_FLOAT_EQ(doc.vibrations.spectra[0][402], 12.5f);
}

// A peak's label is centred on its line: 7 characters of 7 pixels each.
TEST(SpectrumPlot, APeakLabelIsCentredOnItsLine) {
    test::RecordingCanvas canvas(600, 400);
    drawSpectrumPlot(canvas, {"", {1000, 2000}, {0, 1}}, {}, "km/mol", {{}, {{1500, 0.5, "1500 A1"}}});
    const auto label = std::find_if(canvas.texts.begin(), canvas.texts.end(),
                                    [](const auto& t) { return t.text == "1500 A1"; });
    ASSERT_NE(label, canvas.texts.end());
    EXPECT_NEAR(label->x + 24.5, plotPixelAt(1500, 600, 1000, 2000), 1.0);
}

TEST(SvgCanvas, JoinsConnectedLinesOfOnePenAndEscapesText) {
    SvgCanvas c(300, 200);
    c.setPen({{255, 0, 0}});
    c.drawLine(0, 0, 10, 5);
    c.drawLine(10, 5, 20, 7);
    c.drawLine(50, 50, 60, 60); // not connected
    c.setPen({{0, 0, 255}, 2, PenStyle::Dash});
    c.drawLine(60, 60, 70, 70); // connected, but another pen
    c.drawLine(70, 80, 75, 90); // same x as the last end, another y
    c.drawText("a<b & \"c\"", 5, 7);
    c.drawText("日本語", 0, 0); // three characters in nine bytes
    std::vector<test::XmlElement> doc;
    ASSERT_TRUE(test::parseXml(c.document(), doc));
    std::vector<std::string> shapes;
    for (const auto& e : doc)
        shapes.push_back(e.name + " " + e.attr("stroke") + " " + e.attr("points") + e.attr("x1") +
                         e.attr("stroke-width") + e.attr("stroke-dasharray") + e.attr("width") +
                         (e.name == "text" ? e.text : ""));
    EXPECT_EQ(shapes,
              (std::vector<std::string>{
                  "svg  300", "g  ", "polyline #ff0000 0,0 10,5 20,71", "line #ff0000 501",
                  "line #0000ff 6026 2", "line #0000ff 7026 2",
                  // width: characters * 12 * 0.6 + 2
                  "rect  66", "text  a<b & \"c\"", "rect  23", "text  日本語"}));
}

} // namespace
} // namespace kalviro
