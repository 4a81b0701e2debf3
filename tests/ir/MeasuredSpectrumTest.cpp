// Reading the project's small JCAMP-DX and text fixtures, and the checks
// made before a measured spectrum is drawn.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "ir/MeasuredSpectrum.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

TEST(MeasuredSpectrumTest, ReadsTheFixtures) {
    const struct {
        const char* file;
        const char* dataType;
        const char* yUnits;
        std::vector<double> x, y;
        bool percent;
    } cases[] = {
        // Labels in any case with _ - and blanks, XFACTOR 2, YFACTOR 0.5, CR LF.
        {"xypoints.jdx", "Raman Spectrum", "ARBITRARY UNITS", {200, 300, 400, 500}, {5, 10, 15, 20},
         false},
        // DIF with DUP and check values at line starts; the NMR block after it is not read.
        {"compound.jdx", "INFRARED SPECTRUM", "ABSORBANCE", {1000, 1001, 1002, 1003, 1004, 1005},
         {1.00, 1.02, 1.05, 1.05, 1.05, 1.01}, false},
        // 2.5 .. 5.0 um as 10^4 / um.
        {"micrometers.jdx", "INFRARED SPECTRUM", "ABSORBANCE",
         {4000, 1e4 / 3, 1e4 / 3.5, 2500, 1e4 / 4.5, 2000}, {10, 20, -30, 40, 50, 60}, false},
        {"percent.jdx", "INFRARED SPECTRUM", "TRANSMITTANCE", {4000, 3998, 3996, 3994, 3992},
         {95, 50, 10, 0, 100}, true},
        {"comma.csv", "", "%T", {4000, 3999.5}, {95.5, 50}, true},
        {"tab.txt", "", "ARBITRARY UNITS", {4000, 3000}, {0.1, 0.2}, false},
        {"semicolon.csv", "", "ARBITRARY UNITS", {1000, 1100}, {1.5e-3, 2}, false},
        {"blanks.txt", "", "ARBITRARY UNITS", {500, 600}, {0.25, 0.5}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto s = readMeasuredSpectrumFile(test::dataPath(std::string("ir/") + c.file));
        ASSERT_TRUE(s) << s.error();
        EXPECT_EQ(s->dataType, c.dataType);
        EXPECT_EQ(s->yUnits, c.yUnits);
        EXPECT_TRUE(s->xIsWavenumber);
        EXPECT_TRUE(s->warnings.empty()) << s->warnings.front();
        ASSERT_EQ(s->x.size(), c.x.size());
        ASSERT_EQ(s->y.size(), c.y.size());
        for (std::size_t i = 0; i < c.x.size(); ++i) {
            EXPECT_NEAR(s->x[i], c.x[i], 1e-9 * std::abs(c.x[i])) << i;
            EXPECT_NEAR(s->y[i], c.y[i], 1e-12) << i;
        }
        EXPECT_EQ(isPercent(*s), c.percent);
        // Text files are named after the file, not its path.
        EXPECT_TRUE(*c.dataType || s->title == c.file) << s->title;
        EXPECT_EQ(overlayRefusal(*s, c.file), "");
    }
}

TEST(MeasuredSpectrumTest, JcampEdgeCases) {
    const struct {
        const char* what;
        const char* text;
        std::vector<double> x, y;
        std::size_t warnings;
    } cases[] = {
        {"first block without data is passed over",
         "##TITLE=empty\n##END=\n##TITLE=t\n##XYPOINTS=(XY..XY)\n1,2\n##END=\n", {1}, {2}, 0},
        {"one point", "##TITLE=t\n##FIRSTX=1000\n##LASTX=1000\n##XYDATA=(X++(Y..Y))\n1000 5\n",
         {1000}, {5}, 1},
        {"x from the line X values around a DIF check",
         "##TITLE=t\n##XYDATA=(X++(Y..Y))\n10@JJ\n12BJ\n", {10, 11, 12, 13}, {0, 1, 2, 3}, 1},
        {"triples of a peak table", "##TITLE=t\n##PEAK TABLE=(XYW..XYW)\n1,2,3 4,5,6\n##END=\n",
         {1, 4}, {2, 5}, 0},
        {"micrometre 0 has no wavenumber",
         "##TITLE=t\n##XUNITS=MICROMETERS\n##XYPOINTS=(XY..XY)\n0,1 2,3\n##END=\n", {0, 5000},
         {1, 3}, 1},
    };
    for (const auto& c : cases) {
        auto s = readJcampDx(c.text, "e.jdx");
        ASSERT_TRUE(s) << c.what << ": " << s.error();
        EXPECT_EQ(s->x, c.x) << c.what;
        EXPECT_EQ(s->y, c.y) << c.what;
        EXPECT_EQ(s->warnings.size(), c.warnings) << c.what; // the missing ##END= counts
    }
}

TEST(MeasuredSpectrumTest, AbsorbanceFromTransmittanceClipsAtTenToMinusFour) {
    MeasuredSpectrum s;
    s.yUnits = "TRANSMITTANCE";
    s.y = {1.0, 0.5, 0.1, 0.0, 1.2};
    const std::vector<double> a = absorbanceCurve(s);
    const std::vector<double> expected{0, std::log10(2.0), 1, 4, -std::log10(1.2)};
    ASSERT_EQ(a.size(), expected.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(a[i], expected[i], 1e-12) << i;

    s.y = {100, 10, 50}; // percent by its largest value
    EXPECT_NEAR(absorbanceCurve(s)[1], 1.0, 1e-12);
    s.yUnits = "ABSORBANCE";
    EXPECT_EQ(absorbanceCurve(s), s.y);
}

TEST(MeasuredSpectrumTest, PercentFromUnitsOrLargestValue) {
    const std::tuple<const char*, double, bool> cases[] = {
        {"%T", 0.5, true},           {"PERCENT TRANSMITTANCE", 0.5, true},
        {"TRANSMITTANCE", 1.5, false}, {"TRANSMITTANCE", 1.51, true}, {"ABSORBANCE", 80, false}};
    for (const auto& [units, y, percent] : cases) {
        MeasuredSpectrum s;
        s.yUnits = units;
        s.y = {y};
        EXPECT_EQ(isPercent(s), percent) << units << " " << y;
    }
}

TEST(MeasuredSpectrumTest, JcampMismatchesAreWarningsAndBadDataFails) {
    // Five values where ##NPOINTS says 6 and ##FIRSTX says 990.
    auto s = readJcampDx("##TITLE=t\n##DATA TYPE=IR\n##XUNITS=1/CM\n##FIRSTX=990\n##LASTX=1004\n"
                         "##NPOINTS=6\n##XYDATA=(X++(Y..Y))\n1000 1 2 3 4 5\n##END=\n",
                         "m.jdx");
    ASSERT_TRUE(s) << s.error();
    EXPECT_EQ(s->y.size(), 5u);
    EXPECT_EQ(s->warnings.size(), 2u);

    for (const char* bad :
         {"##TITLE=t\n##XYDATA=(X++(Y..Y))\n1000 1 2 # 3\n##END=\n", "##TITLE=t\n##END=\n",
          "##TITLE=t\n##XYDATA=(X++(Y..Y))\n1000 J2\n##END=\n",
          "##TITLE=t\n##NTUPLES=NMR\n##END=\n",
          "##TITLE=t\n##XYDATA=(X++(Y..Y))\n1000 1Z99999999999\n##END=\n"}) {
        auto r = readJcampDx(bad, "bad.jdx");
        EXPECT_FALSE(r) << bad;
        EXPECT_NE(r.error().find("bad.jdx"), std::string::npos) << r.error();
    }
    auto dupFirst = readJcampDx("##TITLE=t\n##XYDATA=(X++(Y..Y))\n1000 S2\n##END=\n", "d.jdx");
    ASSERT_FALSE(dupFirst);
    EXPECT_NE(dupFirst.error().find("3 行目"), std::string::npos) << dupFirst.error();
    // S repeats a value once in all (S6 would be sixteen times): 5 then 6;
    // an x in ppm is no wavenumber.
    auto once = readJcampDx("##TITLE=t\n##XUNITS=PPM\n##XYDATA=(X++(Y..Y))\n1000 5S 6\n##END=\n",
                            "p.jdx");
    ASSERT_TRUE(once) << once.error();
    EXPECT_EQ(once->y, (std::vector<double>{5, 6}));
    EXPECT_FALSE(once->xIsWavenumber);
    auto text = readSpectrumText("x,y\n1,2\nthree,4\n", "bad.csv");
    ASSERT_FALSE(text);
    EXPECT_NE(text.error().find("bad.csv"), std::string::npos);
    EXPECT_NE(text.error().find("3 行目"), std::string::npos);
    // A byte order mark is not a header: the first point stays.
    auto marked = readSpectrumText("\xEF\xBB\xBF" "1,2\n3,4\n", "bom.csv");
    ASSERT_TRUE(marked) << marked.error();
    EXPECT_EQ(marked->x, (std::vector<double>{1, 3}));
}

TEST(MeasuredSpectrumTest, OverlayOnlyForVibrationalSpectraInWavenumbers) {
    const std::tuple<const char*, bool, bool> cases[] = {
        {"INFRARED SPECTRUM", true, true}, {"IR", true, true},
        {"RAMAN SPECTRUM", true, true},    {"NMR SPECTRUM", true, false},
        {"MASS SPECTRUM", true, false},    {"INFRARED SPECTRUM", false, false},
        {"UV/VIS SPECTRUM", true, false}};
    for (const auto& [dataType, wavenumber, allowed] : cases) {
        MeasuredSpectrum s;
        s.dataType = dataType;
        s.xIsWavenumber = wavenumber;
        const std::string reason = overlayRefusal(s, "a.jdx");
        EXPECT_EQ(reason.empty(), allowed) << dataType;
        EXPECT_TRUE(allowed || reason.find("a.jdx") != std::string::npos) << reason;
    }
}

} // namespace
} // namespace kalviro
