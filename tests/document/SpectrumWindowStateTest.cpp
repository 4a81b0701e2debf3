// What the spectrum window draws and saves, and its measured spectra.

#include <gtest/gtest.h>

#include "document/Document.h"
#include "document/SpectrumWindowState.h"
#include "platform/Messages.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

class SpectrumWindowStateTest : public test::DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc.vibrations.frequencies = {"1000.0", "2000.0"};
        doc.vibrations.intensities = {"10", "30"};
        doc.vibrations.symmetries = {"A", "B"};
    }
};

TEST_F(SpectrumWindowStateTest, TransmittanceViewHangsCurveSticksAndLabelsFromOne) {
    SpectrumWindowState state;
    state.labelledPeaks = 2;
    state.transmittance = true;
    test::writeFileBytes(scratch_.path("m.csv"), "1000,0.5\n2000,1.0\n");
    ASSERT_TRUE(addMeasuredSpectrum(state, scratch_.path("m.csv")));
    const auto s = shownSpectrum(doc, state, "f.log");
    ASSERT_TRUE(s) << s.error();
    // 1000 .. 2000 widened by 50 each side, rounded out to hundreds.
    EXPECT_EQ(s->curve.x.front(), 900);
    EXPECT_EQ(s->curve.x.back(), 2100);
    EXPECT_EQ(s->computed.name, "f.log");
    // The lines are 1000 cm-1 = 500 w apart, where the engine drops the
    // Lorentzian's tail: each grid point sees its own line only.
    const double top = 30;
    EXPECT_NEAR(s->computed.y[100], 1 - 10 / top, 1e-12);
    EXPECT_NEAR(s->computed.y[1100], 0, 1e-12);
    ASSERT_EQ(s->marks.sticks.size(), 2u);
    EXPECT_NEAR(s->marks.sticks[0].y1, 1 - 10 / top, 1e-12);
    EXPECT_EQ(s->marks.sticks[0].y0, 1);
    ASSERT_EQ(s->marks.labels.size(), 2u);
    EXPECT_EQ(s->marks.labels[0].text, "2000 B");
    EXPECT_TRUE(s->marks.labelsBelow);
    ASSERT_EQ(s->measured.size(), 1u);
    EXPECT_EQ(s->measured[0].y, (std::vector<double>{0.5, 0.0}));

    state.raman = true; // the file has no activities: IR stays
    EXPECT_EQ(shownSpectrumTitle(*shownSpectrum(doc, state, "f.log")), "IRスペクトル: f.log");
    doc.vibrations.ramanActivities.assign(doc.vibrations.frequencies.size(), "7.5");
    state.ramanSettings.activities = true;
    state.transmittance = false;
    const auto printed = shownSpectrum(doc, state, "");
    ASSERT_TRUE(printed);
    EXPECT_EQ(printed->yUnit, "Raman 活性 / Å⁴ amu⁻¹");
    for (const ModeStick& m : printed->sticks)
        EXPECT_EQ(m.height, 7.5);
    state.ramanSettings.laserWavenumber = 0;
    EXPECT_EQ(shownSpectrum(doc, state, "").error(), msg::kSpectrumLaserNotPositive);
    state.raman = false; // IR does not look at the Raman fields
    EXPECT_TRUE(shownSpectrum(doc, state, ""));
    state.raman = true;
    state.ramanSettings.laserWavenumber = 18797;
    state.broadening.grid = {2000, 1000, 1};
    state.rangeSet = true;
    EXPECT_EQ(shownSpectrum(doc, state, "").error(), msg::kSpectrumRangeOrder);
}

TEST_F(SpectrumWindowStateTest, MeasuredSpectraAreAddedOnlyWhenReadableAndVibrational) {
    SpectrumWindowState state;
    test::writeFileBytes(scratch_.path("a.csv"), "x,y\n1000,1\n1100,2\n");
    platform_.openAnswers = {scratch_.path("a.csv"), scratch_.path("a.csv"),
                             test::dataPath("ir/nmr.jdx"), scratch_.path("gone.jdx"), std::nullopt};
    EXPECT_TRUE(askAndAddMeasuredSpectrum(state));
    EXPECT_TRUE(askAndAddMeasuredSpectrum(state));
    EXPECT_FALSE(askAndAddMeasuredSpectrum(state));
    EXPECT_FALSE(askAndAddMeasuredSpectrum(state));
    EXPECT_FALSE(askAndAddMeasuredSpectrum(state)); // cancelled
    ASSERT_EQ(state.measured.size(), 2u);
    EXPECT_EQ(state.measured[1].name, "a.csv");
    EXPECT_EQ(state.measured[1].spectrum.y, (std::vector<double>{1, 2}));
    ASSERT_EQ(platform_.messages.size(), 2u);
    EXPECT_NE(platform_.messages[0].find("nmr.jdx"), std::string::npos);
    EXPECT_NE(platform_.messages[1].find("gone.jdx"), std::string::npos);
}

TEST_F(SpectrumWindowStateTest, SavedByTheExtension) {
    const auto s = shownSpectrum(doc, SpectrumWindowState(), "f.log");
    ASSERT_TRUE(s);
    auto png = [](const ShownSpectrum&, int w, int h) { return std::to_string(w) + "x" + std::to_string(h); };
    const std::pair<const char*, const char*> cases[] = {
        {"a.csv", "# "}, {"a.JDX", "##TITLE=f.log"}, {"a.svg", "<svg"}, {"a.png", "800x600"}};
    for (const auto& [name, start] : cases) {
        auto bytes = shownSpectrumBytes(*s, name, png);
        ASSERT_TRUE(bytes) << name;
        EXPECT_NE(bytes->find(start), std::string::npos) << name;
    }
    // The size the window shows the plot at.
    EXPECT_EQ(*shownSpectrumBytes(*s, "a.png", png, 640, 480), "640x480");
    EXPECT_NE(shownSpectrumBytes(*s, "a.svg", png, 640, 480)->find("width=\"640\""), std::string::npos);
    platform_.saveAnswers = {scratch_.path("no/such/dir/a.csv"), std::nullopt};
    EXPECT_FALSE(askAndSaveShownSpectrum(*s, png));
    EXPECT_FALSE(askAndSaveShownSpectrum(*s, png)); // cancelled: no message
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0], msg::saveProblem("a.csv", msg::kReasonNoFolder));
}

} // namespace
} // namespace kalviro
