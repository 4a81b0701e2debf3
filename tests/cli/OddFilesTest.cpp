// Files as they arrive from other systems and from damaged disks: every
// reader gives a defined result (what was complete, or its message) and the
// document stays usable.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "cli/CliCommands.h"
#include "cli/Dump.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"

using namespace kalviro;

namespace {

struct Source {
    const char* file;      // under tests/data
    const char* extension; // what the copy is called
};

const Source kSources[] = {
    {"gaussian-output/g98_opt_freq.log", ".log"},
    {"gaussian-output/g16_freq_only.log", ".out"},
    {"gaussian-output/g09_hpmodes.log", ".log"},
    {"fuzz-seeds/methane_zmatrix.com", ".com"},
    {"fuzz-seeds/water_cartesian.dat", ".dat"},
    {"fuzz-seeds/water_c1.inp", ".inp"},
    {"fuzz-seeds/water_c2v.inp", ".inp"},
};

// Opens bytes as a file with the extension; the dump of what it gave, or
// "unread" when the program refused it.
std::string loadAndDump(const std::string& bytes, const char* extension) {
    test::TempDir dir;
    const std::string path = dir.path(std::string("f") + extension);
    test::writeFileBytes(path, bytes);
    auto j = dumpFile(path);
    if (!j)
        return "unread";
    Document doc;
    loadFileAsProgram(doc, path);
    perceiveBonds(doc.molecule); // what was read can be drawn
    return j->dump();
}

} // namespace

class OddFiles : public test::DocumentTest, public ::testing::WithParamInterface<Source> {};

TEST_P(OddFiles, ByteOrderMarkAndCrLfReadLikeThePlainFile) {
    const std::string plain = test::readFileBytes(test::dataPath(GetParam().file));
    const std::string expected = loadAndDump(plain, GetParam().extension);
    ASSERT_NE(expected, "unread");
    EXPECT_EQ(loadAndDump(test::replaceAll(plain, "\n", "\r\n"), GetParam().extension), expected);
    // A byte-order mark only touches the first line, which no reader needs.
    EXPECT_EQ(loadAndDump("\xEF\xBB\xBF" + plain, GetParam().extension), expected);
}

TEST_P(OddFiles, DamagedFilesGiveADefinedResult) {
    const std::string plain = test::readFileBytes(test::dataPath(GetParam().file));
    const char* ext = GetParam().extension;
    const std::string before = loadAndDump(plain, ext);
    const std::vector<std::string> damaged = {
        test::replaceAll(plain, "\n", "\r"),                   // old Mac line ends: one long line
        plain.substr(0, plain.size() / 2),               // cut in the middle
        plain.substr(0, plain.size() / 3) + std::string(3, '\0') + plain.substr(plain.size() / 3),
        std::string(1 << 20, 'x') + "\n" + plain,        // a megabyte-long first line
        plain + std::string(5000, '\0'),                 // trailing garbage
        std::string(),                                   // empty
    };
    // Each is read to the end without a crash (the sanitizer build watches
    // memory), and leaves nothing behind that changes the next read.
    for (const std::string& bytes : damaged)
        loadAndDump(bytes, ext);
    EXPECT_EQ(loadAndDump(plain, ext), before);
}

INSTANTIATE_TEST_SUITE_P(Readers, OddFiles, ::testing::ValuesIn(kSources));

TEST(OddFiles, CrOnlyOutputReadsNothingButDoesNotFail) {
    Document doc;
    const std::string plain = test::readFileBytes(test::dataPath("gaussian-output/g98_opt_freq.log"));
    test::TempDir dir;
    test::writeFileBytes(dir.path("mac.log"), test::replaceAll(plain, "\n", "\r"));
    ASSERT_TRUE(loadFileAsProgram(doc, dir.path("mac.log")) || doc.atomCount() == 0);
    EXPECT_EQ(doc.atomCount(), 0u);
    EXPECT_TRUE(doc.vibrations.frequencies.empty());
}
