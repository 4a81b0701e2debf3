// The bytes of the CSV and JCAMP-DX spectrum files; JCAMP-DX read back.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "ir/MeasuredSpectrum.h"
#include "ir/SpectrumFiles.h"

namespace kalviro {
namespace {

TEST(SpectrumCsvTest, SettingsAwayFromTheDefaultsAreNamedFirst) {
    const SpectrumCurve points{{600, 601, 602}, {1.5, 1e-7, 0.1234567890123}};
    BroadeningSettings s;
    s.width = 7; // the width alone does not make a header
    EXPECT_EQ(spectrumCsv(points, s),
              "600.000000,1.5\r\n601.000000,1e-007\r\n602.000000,0.123456789\r\n");
    std::vector<BroadeningSettings> changed(6);
    changed[0].grid.from = 500;
    changed[1].grid.to = 1500;
    changed[2].grid.step = 2;
    changed[3].shape = LineShape::Gaussian;
    changed[4].factor = 0.97;
    changed[5].shift = 1;
    for (std::size_t i = 0; i < changed.size(); ++i)
        EXPECT_EQ(spectrumCsv(points, changed[i]).rfind("# range: ", 0), 0u) << i;

    s.grid = {400, 4000, 0.5};
    s.shape = LineShape::PseudoVoigt;
    s.width = 8;
    s.eta = 0.25;
    s.factor = 0.961;
    s.shift = -3;
    EXPECT_EQ(spectrumCsv({{400}, {2}}, s), "# range: 400 - 4000 cm-1\r\n# step: 0.5\r\n"
                                            "# shape: pseudo-Voigt\r\n# width: 8\r\n# eta: 0.25\r\n"
                                            "# factor: 0.961\r\n# shift: -3\r\n400.000000,2\r\n");
}

TEST(JcampDxWriterTest, HeaderAndSixDigitsOfTheLargestY) {
    SpectrumCurve c{{1000, 1002, 1004}, {0.0123456, -0.001, 0}};
    auto bytes = jcampDxBytes(c, {"water, B3LYP", "INFRARED SPECTRUM", "ARBITRARY UNITS"});
    ASSERT_TRUE(bytes) << bytes.error();
    EXPECT_EQ(*bytes,
              "##TITLE=water, B3LYP\r\n##JCAMP-DX=5.01\r\n##DATA TYPE=INFRARED SPECTRUM\r\n"
              "##ORIGIN=KALVIRO\r\n##OWNER=\r\n##XUNITS=1/CM\r\n##YUNITS=ARBITRARY UNITS\r\n"
              "##XFACTOR=1\r\n##YFACTOR=1e-07\r\n##FIRSTX=1000\r\n##LASTX=1004\r\n"
              "##DELTAX=2\r\n##NPOINTS=3\r\n##FIRSTY=0.0123456\r\n##XYDATA=(X++(Y..Y))\r\n"
              "1000.000000 123456 -10000 0\r\n##END=\r\n");
    EXPECT_FALSE(jcampDxBytes({}, {}));
    EXPECT_FALSE(jcampDxBytes({{1, 2}, {1}}, {}));
    EXPECT_FALSE(jcampDxBytes({{1, 2}, {1, NAN}}, {}));
}

TEST(JcampDxWriterTest, ReadsBackToTheSameValues) {
    BroadeningSettings s;
    s.grid = {400, 4000, 0.5};
    s.width = 12;
    const std::vector<Stick> sticks{{1650, 120}, {3400, 45}, {800, 3.5}};
    auto curve = broadenSticks(sticks, s);
    ASSERT_TRUE(curve);
    auto bytes = jcampDxBytes(*curve, {"round trip", "INFRARED SPECTRUM", "ARBITRARY UNITS"});
    ASSERT_TRUE(bytes) << bytes.error();

    std::istringstream lines(*bytes);
    for (std::string line; std::getline(lines, line);) {
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r');
        EXPECT_LE(line.size(), 81u) << line;
    }

    auto back = readJcampDx(*bytes, "round.jdx");
    ASSERT_TRUE(back) << back.error();
    EXPECT_TRUE(back->warnings.empty()) << back->warnings.front();
    EXPECT_EQ(back->title, "round trip");
    ASSERT_EQ(back->x.size(), curve->x.size());
    const double largest = *std::max_element(curve->y.begin(), curve->y.end());
    for (std::size_t i = 0; i < curve->x.size(); ++i) {
        ASSERT_NEAR(back->x[i], curve->x[i], 1e-9 * curve->x[i]) << i;
        ASSERT_NEAR(back->y[i], curve->y[i], 0.5e-5 * largest) << i;
    }
}

} // namespace
} // namespace kalviro
