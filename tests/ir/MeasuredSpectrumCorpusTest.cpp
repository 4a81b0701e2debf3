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

TEST(JcampCorpusTest, MatchesIndependentReader) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    // x in ppm for the NMR and m/z for the mass spectrum: neither compared
    // nor overlaid.
    const std::pair<const char*, bool> cases[] = {
        {"ammonia", true}, {"benzene", true}, {"carbon_monoxide", true}, {"methanol", true},
        {"water", true},   {"fixinc1", true}, {"pacdec1", true},        {"dupdec1", true},
        {"sqzdupd1", true}, {"xyinc1", true}, {"sqzdec1", false},       {"pktab1", false}};
    for (const auto& [name, vibrational] : cases) {
        const std::string file = name + std::string(".jdx");
        SCOPED_TRACE(file);
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
            if (vibrational) {
                ASSERT_NEAR(s->x[i], x[i], 1e-6 * std::abs(x[i])) << "x[" << i << "]";
            }
        }
        const std::string refusal = overlayRefusal(*s, file);
        EXPECT_EQ(refusal.empty(), vibrational) << refusal;
        EXPECT_TRUE(refusal.empty() || refusal.find(file) != std::string::npos) << refusal;
    }
}

} // namespace
} // namespace kalviro
