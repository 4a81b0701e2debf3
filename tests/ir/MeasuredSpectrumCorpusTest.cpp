// Every JCAMP-DX file of the corpus against what an independent reader
// (jcampconverter) made of it.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "ir/MeasuredSpectrum.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

struct CorpusCase {
    const char* name;
    bool compareX; // false for the NMR (x in ppm there) and the mass spectrum
    bool overlayable;
};

class JcampCorpusTest : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(JcampCorpusTest, MatchesIndependentReader) {
    if (!test::corpusAvailable())
        GTEST_SKIP() << "corpus absent";
    const CorpusCase& c = GetParam();
    const std::string file = c.name + std::string(".jdx");
    auto s = readMeasuredSpectrumFile((test::corpusDir() / "files/jcamp" / file).string());
    ASSERT_TRUE(s) << s.error();

    std::ifstream in(test::corpusDir() / "expected/jcamp" / (file + ".json"));
    // A list of spectra; the first is the one the program shows.
    const nlohmann::json e = nlohmann::json::parse(in).at(0);
    EXPECT_EQ(s->dataType, e["dataType"].get<std::string>());
    EXPECT_EQ(s->yUnits, e["yUnits"].get<std::string>());
    const std::string title = e["title"].get<std::string>();
    EXPECT_EQ(s->title, title.substr(0, title.find('\r')));
    EXPECT_TRUE(s->warnings.empty()) << s->warnings.front();

    const auto x = e["x"].get<std::vector<double>>();
    const auto y = e["y"].get<std::vector<double>>();
    ASSERT_EQ(s->y.size(), y.size());
    ASSERT_EQ(s->x.size(), x.size());
    double largest = 0;
    for (double v : y)
        largest = std::max(largest, std::abs(v));
    for (std::size_t i = 0; i < y.size(); ++i) {
        ASSERT_NEAR(s->y[i], y[i], 1e-6 * largest) << "y[" << i << "]";
        if (c.compareX) {
            ASSERT_NEAR(s->x[i], x[i], 1e-6 * std::abs(x[i])) << "x[" << i << "]";
        }
    }

    const std::string refusal = overlayRefusal(*s, file);
    EXPECT_EQ(refusal.empty(), c.overlayable) << refusal;
    if (!c.overlayable) {
        EXPECT_NE(refusal.find(file), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, JcampCorpusTest,
    ::testing::Values(CorpusCase{"ammonia", true, true}, CorpusCase{"benzene", true, true},
                      CorpusCase{"carbon_monoxide", true, true}, CorpusCase{"methanol", true, true},
                      CorpusCase{"water", true, true}, CorpusCase{"fixinc1", true, true},
                      CorpusCase{"pacdec1", true, true}, CorpusCase{"dupdec1", true, true},
                      CorpusCase{"sqzdupd1", true, true}, CorpusCase{"xyinc1", true, true},
                      CorpusCase{"sqzdec1", false, false}, CorpusCase{"pktab1", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kalviro
