// Readers on texts that are not whole files: empty, cut short in the middle
// of a table, binary bytes, CR LF line ends and absurd counts. Each gives a
// failure whose reason is Japanese; none may crash, hang or allocate for a
// count the text does not hold.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "ir/MeasuredSpectrum.h"
#include "model/readers/CheckpointSections.h"
#include "model/readers/OutputProgram.h"
#include "orbital/MoldenReader.h"
#include "orbital/OrbitalSet.h"

namespace kalviro {
namespace {

struct OddText {
    std::string label;
    std::string text;
};

// whole up to the middle of the first line holding row (a table row).
std::string cutInside(const std::string& whole, const std::string& row) {
    const std::size_t p = whole.find(row);
    EXPECT_NE(p, std::string::npos) << row;
    return whole.substr(0, p + (whole.find('\n', p) - p) / 2);
}

std::string withCrLf(std::string text) {
    for (std::size_t p = text.find('\n'); p != std::string::npos; p = text.find('\n', p + 2))
        text.insert(p, 1, '\r');
    return text;
}

// A UTF-8 kana or kanji: lead byte E3 to E9 and two continuation bytes.
bool isJapanese(const std::string& s) {
    for (std::size_t i = 0; i + 2 < s.size(); ++i) {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
        if (b(0) >= 0xE3 && b(0) <= 0xE9 && (b(1) & 0xC0) == 0x80 && (b(2) & 0xC0) == 0x80)
            return true;
    }
    return false;
}

// Empty text, binary bytes, whole cut off in the middle of each row given
// (with LF and CR LF ends), and the extra texts given.
std::vector<OddText> oddTexts(const std::string& whole, const std::vector<std::string>& rows,
                              std::vector<OddText> extra) {
    std::vector<OddText> out = {
        {"empty", ""}, {"binary", std::string("\x00\xff\xfe\x89PNG\r\n\x1a\n\x00\x00##[\x01\x80\xc3", 19)}};
    for (const std::string& row : rows) {
        const std::string cut = cutInside(whole, row);
        out.push_back({"cut in " + row, cut});
        out.push_back({"CR LF, cut in " + row, withCrLf(cut)});
    }
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

// A failure with a Japanese reason, naming the file when a name is given.
template <class Result>
void expectJapaneseFailure(const Result& r, const OddText& odd, const std::string& file = {}) {
    EXPECT_FALSE(r.ok()) << odd.label;
    EXPECT_TRUE(isJapanese(r.error())) << odd.label << ": " << r.error();
    EXPECT_NE(r.error().find(file), std::string::npos) << odd.label << ": " << r.error();
}

TEST(OddTextsTest, OtherProgramOutputs) {
    const std::string whole = test::readFileBytes(test::dataPath("other-output/orca_imaginary.out"));
    const auto read = readOtherProgramOutput(whole, "w.out");
    ASSERT_TRUE(read.ok()) << read.error();
    ASSERT_EQ(read->frequencies.size(), 3u);
    const auto crlf = readOtherProgramOutput(withCrLf(whole), "w.out");
    ASSERT_TRUE(crlf.ok()) << crlf.error();
    EXPECT_EQ(crlf->frequencies, read->frequencies);

    std::string hugeMode = whole;
    hugeMode.replace(hugeMode.find("   8:      3700.00    0.0"), 5, "   999999999:");
    for (const OddText& odd :
         oddTexts(whole, {"  H      0.75", "   7:      1600", "      4       0.4", "   7:      1600.00  "},
                  {{"huge mode number", hugeMode}}))
        expectJapaneseFailure(readOtherProgramOutput(odd.text, "w.out"), odd, "w.out");
}

TEST(OddTextsTest, MeasuredSpectra) {
    const std::string jcamp = test::readFileBytes(test::dataPath("ir/percent.jdx"));
    ASSERT_TRUE(readJcampDx(jcamp, "p.jdx").ok());
    std::string hugePoints = jcamp;
    hugePoints.replace(hugePoints.find("##NPOINTS=5"), 11, "##NPOINTS=1e300");
    for (const OddText& odd : oddTexts(jcamp, {"##XUNITS", "4000 95.0 50.0", "3992 100"},
                                       {{"huge point count", hugePoints}})) {
        const auto r = readJcampDx(odd.text, "p.jdx");
        if (r.ok()) { // the data read so far, told as not adding up
            EXPECT_FALSE(r->warnings.empty()) << odd.label;
            EXPECT_LE(r->x.size(), 5u) << odd.label;
            continue;
        }
        expectJapaneseFailure(r, odd, "p.jdx");
    }
    const std::string table = test::readFileBytes(test::dataPath("ir/comma.csv"));
    ASSERT_TRUE(readSpectrumText(table, "c.csv").ok());
    for (const OddText& odd : oddTexts(table, {"Wavenumber", "4000,95"}, {{"one number", "4000\n"}}))
        expectJapaneseFailure(readSpectrumText(odd.text, "c.csv"), odd, "c.csv");
}

TEST(OddTextsTest, CheckpointSections) {
    const std::string whole = test::readFileBytes(test::dataPath("orbital/oh_radical_pure.fchk"));
    ASSERT_TRUE(parseCheckpointSections(whole).ok());
    const std::string head = whole.substr(0, whole.find("Number of atoms"));
    const auto section = [&](const std::string& count) {
        return head + "Shell types                                I   N= " + count + "\n 0 0\n";
    };
    for (const OddText& odd :
         oddTexts(whole,
                  {"           8           1", "  1.88972613e-01 -9.4", "Shell types",
                   "  5.48467166e+03  8.2", "  9.95866755e-01  1.9", "  9.96501556e-01  1.6"},
                  {{"count beyond the values", section("999999999999")},
                   {"count beyond any integer", section("1e300")},
                   {"fractional count", section("2.5")},
                   {"integer beyond int", head + "Number of alpha electrons" + std::string(18, ' ') +
                                              "I     1e300\n"},
                   {"integer array beyond int", section("2") + " 0 3000000000\n"}})) {
        const auto sections = parseCheckpointSections(odd.text);
        if (sections.ok()) // a cut between sections leaves a shorter, sound file
            expectJapaneseFailure(orbitalsFromCheckpoint(*sections), odd);
        else
            expectJapaneseFailure(sections, odd);
    }
}

TEST(OddTextsTest, MoldenFiles) {
    const std::string whole = test::readFileBytes(test::dataPath("orbital/oh_radical_pure.molden"));
    ASSERT_TRUE(parseMolden(whole).ok());
    std::string hugePrimitives = whole;
    hugePrimitives.replace(hugePrimitives.find(" s    6  1.00"), 13, " s 999999999  1.00");
    for (const OddText& odd : oddTexts(whole, {"H    2    1", "      188.04", " Ene= -1.98", "  5  2.0200"},
                                       {{"huge primitive count", hugePrimitives}})) {
        const auto r = parseMolden(odd.text);
        if (r.ok()) { // [MO] may leave out coefficients: the rest are zero
            for (const Orbital& o : r->orbitals.orbitals)
                EXPECT_EQ(o.coefficients.size(),
                          static_cast<std::size_t>(r->orbitals.basis.functionCount()))
                    << odd.label;
            continue;
        }
        expectJapaneseFailure(r, odd);
    }
}

} // namespace
} // namespace kalviro
