// The bytes of IRSpec.csv and spec.csv, and the two save commands.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "ir/ProjectionCalculator.h"
#include "ir/SpectrumCalculator.h"
#include "ir/SpectrumExport.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::readFileBytes;
using test::TempDir;

// "%g" as printf writes it on this platform, exponent widened to three digits
// the way the files have always had them.
std::string gText(float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", static_cast<double>(v));
    std::string s = buf;
    const std::size_t e = s.find('e');
    if (e != std::string::npos && s.size() - e == 4) // e-07 -> e-007
        s.insert(e + 2, "0");
    return s;
}

// One mode at 1000 cm-1 with stick I and w = 2: I / ((j - 400)^2 + 1).
float singleLine(double stick, int j) {
    const double d = j - 400;
    return static_cast<float>(stick / (d * d + 1));
}

std::string expectedIrSpectrum() {
    std::string s;
    for (int j = 0; j < 900; ++j)
        s += std::to_string(600 + j) + "," + gText(singleLine(5.0, j)) + ",\r\n";
    return s;
}

VibrationStore singleMode(const Vector3& dipole) {
    VibrationStore s;
    s.frequencies = {"1000.0"};
    s.dipoleDerivatives = {dipole};
    return s;
}

std::vector<std::string> splitLines(const std::string& text);

// Equal bytes; on a difference, names the first line that differs.
void expectSameText(const std::string& actual, const std::string& expected) {
    if (actual == expected)
        return;
    const auto a = splitLines(actual), e = splitLines(expected);
    for (std::size_t i = 0; i < std::min(a.size(), e.size()); ++i)
        ASSERT_EQ(a[i], e[i]) << "line " << i + 1;
    ASSERT_EQ(a.size(), e.size());
    FAIL() << "the texts differ outside their lines";
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

TEST(IrSpectrumCsv, HasTheExactBytes) {
    VibrationStore s = singleMode({3, 0, 4});
    float maximum = 0;
    SpectrumCalculator().compute(2, s, maximum);
    const std::string csv = irSpectrumCsv(s);
    const auto lines = splitLines(csv);
    ASSERT_EQ(lines.size(), 900u);
    // A few lines worked out by hand, exponent form included.
    EXPECT_EQ(lines[0], "600,3.12498e-005,");
    EXPECT_EQ(lines[398], "998,1,");
    EXPECT_EQ(lines[399], "999,2.5,");
    EXPECT_EQ(lines[400], "1000,5,");
    EXPECT_EQ(lines[401], "1001,2.5,");
    EXPECT_EQ(lines[899], "1499,2.00802e-005,");
    expectSameText(csv, expectedIrSpectrum());
}

TEST(IrSpectrumCsv, WritesZerosAsZero) {
    VibrationStore s;
    const auto lines = splitLines(irSpectrumCsv(s));
    ASSERT_EQ(lines.size(), 900u);
    EXPECT_EQ(lines[0], "600,0,");
    EXPECT_EQ(lines[899], "1499,0,");
}

TEST(RelativeIntensityCsv, HasTheExactBytes) {
    VibrationStore s = singleMode({0, 1, 0});
    float maximum = 0;
    XAxisProjection().compute(2, s, maximum);
    const std::string csv = relativeIntensityCsv(s);
    const auto lines = splitLines(csv);
    ASSERT_EQ(lines.size(), 901u);
    EXPECT_EQ(lines[0], ",0,15,30,45,60,75,90,105,120,135,150,165,");
    // 1000 cm-1: cos^2 of each angle; at 90 degrees cos is not exactly 0.
    EXPECT_EQ(lines[401], "1000,1,0.933013,0.75,0.5,0.25,0.0669873,3.7494e-033,0.0669873,0.25,"
                          "0.5,0.75,0.933013,");
    for (const std::string& line : lines)
        ASSERT_EQ(std::count(line.begin(), line.end(), ','), 13) << line;

    std::string expected = ",0,15,30,45,60,75,90,105,120,135,150,165,\r\n";
    for (int j = 0; j < 900; ++j) {
        expected += std::to_string(600 + j) + ",";
        for (int a = 0; a < 12; ++a) {
            const double c = std::cos(15 * a * M_PI / 180);
            const float stick = static_cast<float>(c * c);
            expected += gText(singleLine(stick, j)) + ",";
        }
        expected += "\r\n";
    }
    expectSameText(csv, expected);
}

// A fresh (or reset) store holds zeros: after a plain spectrum the other
// eleven columns are 0, not what an earlier projection left.
TEST(RelativeIntensityCsv, PlainSpectrumAfterResetLeavesZeroColumns) {
    VibrationStore s = singleMode({0, 1, 0});
    float maximum = 0;
    XAxisProjection().compute(2, s, maximum);
    s.clearSpectra();
    SpectrumCalculator().compute(2, s, maximum);
    const auto lines = splitLines(relativeIntensityCsv(s));
    EXPECT_EQ(lines[401], "1000,1,0,0,0,0,0,0,0,0,0,0,0,");
}

class SaveCommands : public test::ProcessStateTest {
  protected:
    void SetUp() override {
        ProcessStateTest::SetUp();
        vibrationStore() = singleMode({3, 0, 4});
        SpectrumCalculator().compute(2);
    }
    TempDir dir_;
};

struct SaveCase {
    const char* name;
    void (*command)();
    const char* notReady;
    const char* fileName;
};

class SaveCommand : public SaveCommands, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveCommand, RefusesBeforeAnyCalculation) {
    GetParam().command();
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0], GetParam().notReady);
    EXPECT_TRUE(platform_.openRequests.empty());
    EXPECT_TRUE(platform_.saveRequests.empty());
}

TEST_P(SaveCommand, AsksWithTheOpenFormAndWritesTheChosenFile) {
    vibrationStore().spectrumReady = 1;
    const std::string path = dir_.path("out.csv");
    platform_.openAnswers.push_back(path);
    GetParam().command();
    ASSERT_EQ(platform_.openRequests.size(), 1u);
    const FileDialogRequest& r = platform_.openRequests[0];
    EXPECT_EQ(r.defaultFileName, GetParam().fileName);
    EXPECT_EQ(r.defaultExtension, "csv");
    EXPECT_EQ(r.filter, "text|*.csv|AllFile(*.*)|*.*||");
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_FALSE(r.hideReadOnly);
    EXPECT_TRUE(platform_.messages.empty());
    const std::string bytes = readFileBytes(path);
    if (std::string(GetParam().fileName) == "IRSpec.csv") {
        expectSameText(bytes, expectedIrSpectrum());
    } else {
        EXPECT_TRUE(
            bytes.starts_with(",0,15,30,45,60,75,90,105,120,135,150,165,\r\n600,3.12498e-005,0,"));
        EXPECT_NE(bytes.find("\r\n1000,5,0,0,0,0,0,0,0,0,0,0,0,\r\n"), std::string::npos);
    }
}

TEST_P(SaveCommand, CancelWritesNothing) {
    vibrationStore().spectrumReady = 1;
    GetParam().command();
    EXPECT_EQ(platform_.openRequests.size(), 1u);
    EXPECT_TRUE(platform_.messages.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir_.dir()));
}

TEST_P(SaveCommand, UnwritablePathIsReportedAndNothingChanges) {
    vibrationStore().spectrumReady = 1;
    // A folder where the file should be, and a folder that does not exist.
    std::filesystem::create_directory(dir_.path("taken.csv"));
    platform_.openAnswers.push_back(dir_.path("taken.csv"));
    platform_.openAnswers.push_back(dir_.path("missing/out.csv"));
    GetParam().command();
    GetParam().command();
    EXPECT_EQ(platform_.messages,
              (std::vector<std::string>{"ファイルを保存できません", "ファイルを保存できません"}));
    EXPECT_TRUE(std::filesystem::is_directory(dir_.path("taken.csv")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.dir()),
                            std::filesystem::directory_iterator()),
              1);
}

INSTANTIATE_TEST_SUITE_P(Both, SaveCommand,
                         ::testing::Values(SaveCase{"IrSpectrum", &OnSaveIrSpectrum,
                                                    "まずIRスペクトルを計算してください",
                                                    "IRSpec.csv"},
                                           SaveCase{"RelativeIntensity", &OnSaveRelativeIntensity,
                                                    "まず相対強度を計算してください", "spec.csv"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kalviro
