// The bytes of IRSpec.csv and spec.csv, and the two save commands.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "document/SaveCommands.h"
#include "ir/ProjectionCalculator.h"
#include "ir/SpectrumCalculator.h"
#include "ir/SpectrumExport.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::singleMode;

// %g as the C library writes it, then the exponent widened to three digits.
std::string gText(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    std::string s = buf;
    if (const std::size_t e = s.find('e'); e != std::string::npos && s.size() - e == 4)
        s.insert(e + 2, "0");
    return s;
}

// One mode at 1000 cm-1, w = 2: stick / ((j - 400)^2 + 1) in single precision.
float line(double stick, int j) {
    return static_cast<float>(stick / ((j - 400.0) * (j - 400) + 1));
}

// Line n (from 1) of a CR LF text, without its end.
std::string lineOf(const std::string& text, int n) {
    std::size_t from = 0;
    for (int i = 1; i < n; ++i)
        from = text.find("\r\n", from) + 2;
    return text.substr(from, text.find("\r\n", from) - from);
}

TEST(SpectrumCsv, IrSpecHasTheExactBytes) {
    VibrationStore s = singleMode({3, 0, 4});
    s.intensities = {"5.0000"}; // the stick, in km/mol
    SpectrumCalculator().compute(2, s);
    const std::string csv = irSpectrumCsv(s);
    // Worked out by hand, exponent form included.
    EXPECT_EQ(lineOf(csv, 1), "600,3.12498e-005,");
    EXPECT_EQ(lineOf(csv, 400), "999,2.5,");
    EXPECT_EQ(lineOf(csv, 401), "1000,5,");
    EXPECT_EQ(lineOf(csv, 900), "1499,2.00802e-005,");
    std::string expected;
    for (int j = 0; j < 900; ++j)
        expected += std::to_string(600 + j) + "," + gText(line(5, j)) + ",\r\n";
    EXPECT_TRUE(csv == expected) << "900 lines 600+j,S_j, with CR LF";
}

TEST(SpectrumCsv, SpecHasTheExactBytesAndZerosWhereNothingWasCalculated) {
    VibrationStore s = singleMode({0, 1, 0});
    XAxisProjection().compute(2, s);
    const std::string csv = relativeIntensityCsv(s);
    EXPECT_EQ(lineOf(csv, 1), ",0,15,30,45,60,75,90,105,120,135,150,165,");
    // 1000 cm-1: cos^2 of each angle; cos 90 degrees is not exactly 0.
    EXPECT_EQ(lineOf(csv, 402), "1000,1,0.933013,0.75,0.5,0.25,0.0669873,3.7494e-033,0.0669873,"
                                "0.25,0.5,0.75,0.933013,");
    std::string expected = ",0,15,30,45,60,75,90,105,120,135,150,165,\r\n";
    for (int j = 0; j < 900; ++j) {
        expected += std::to_string(600 + j) + ",";
        for (int a = 0; a < 12; ++a) {
            const double c = std::cos(15 * a * M_PI / 180);
            expected += gText(line(static_cast<float>(c * c), j)) + ",";
        }
        expected += "\r\n";
    }
    EXPECT_TRUE(csv == expected) << "901 lines of 13 cells, each followed by a comma";

    // After a reset and a plain spectrum the other eleven columns are zero.
    s.clearSpectra();
    s.intensities = {"1.0"};
    SpectrumCalculator().compute(2, s);
    EXPECT_EQ(lineOf(relativeIntensityCsv(s), 402), "1000,1,0,0,0,0,0,0,0,0,0,0,0,");
}

class SaveCommand : public test::DocumentTest {};

// Both commands: refused before a calculation, then cancelled, two paths
// that cannot be written, and the file.
TEST_F(SaveCommand, RefusesAsksWritesAndTellsWhy) {
    const struct {
        void (*command)(const VibrationStore&);
        const char* notReady;
        const char* dialog;
        const char* line402; // the file's line for 1000 cm-1
    } cases[] = {{&askAndSaveIrSpectrum, "まずIRスペクトルを計算してください",
                  "IRSpec.csv csv text|*.csv|AllFile(*.*)|*.*|| overwrite", "1001,2.5,"},
                 {&askAndSaveRelativeIntensity, "まず相対強度を計算してください",
                  "spec.csv csv text|*.csv|AllFile(*.*)|*.*|| overwrite",
                  "1000,5,0,0,0,0,0,0,0,0,0,0,0,"}};
    doc.vibrations = singleMode({3, 0, 4});
    doc.vibrations.intensities = {"5.0000"};
    SpectrumCalculator().compute(2, doc.vibrations);
    for (const auto& c : cases) {
        test::TempDir dir;
        platform_.messages.clear();
        platform_.openRequests.clear();
        doc.vibrations.spectrumReady = 0;
        c.command(doc.vibrations);
        EXPECT_EQ(platform_.messages, std::vector<std::string>{c.notReady});
        EXPECT_TRUE(platform_.openRequests.empty());

        platform_.messages.clear();
        doc.vibrations.spectrumReady = 1;
        std::filesystem::create_directory(dir.path("taken.csv")); // a folder of that name
        platform_.openAnswers = {std::nullopt, dir.path("taken.csv"), dir.path("missing/out.csv"),
                                 dir.path("out.csv")};
        for (int k = 0; k < 4; ++k)
            c.command(doc.vibrations);
        ASSERT_EQ(platform_.openRequests.size(), 4u);
        EXPECT_EQ(test::dialogText(platform_.openRequests[0]), c.dialog);
        EXPECT_EQ(platform_.messages,
                  (std::vector<std::string>{"ファイルを保存できません: taken.csv\n同じ名前のフォルダがあります",
                                            "ファイルを保存できません: out.csv\n保存先のフォルダがありません"}));
        EXPECT_EQ(lineOf(test::readFileBytes(dir.path("out.csv")), 402), c.line402);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()), {}), 2);
    }
}

} // namespace
} // namespace kalviro
