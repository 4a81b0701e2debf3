// Files written whole or not at all, and read back line by line.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "TestSupport.h"
#include "document/SaveCommands.h"
#include "model/SafeFileWriter.h"
#include "model/TextLineReader.h"

using namespace kalviro;

class SafeFileWriter : public test::DocumentTest {};

TEST_F(SafeFileWriter, WritesExactBytesAndReplacesAnOldFile) {
    test::TempDir dir;
    const std::string path = dir.path("out.csv");
    test::writeFileBytes(path, "old content that is longer than the new one");
    ASSERT_TRUE(writeFileAtomically(path, std::string("a,b\r\n\0x", 7)));
    EXPECT_EQ(test::readFileBytes(path), std::string("a,b\r\n\0x", 7));
    // Nothing is left beside the target.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()),
                            std::filesystem::directory_iterator{}),
              1);
}

TEST_F(SafeFileWriter, AFailedSaveLeavesTheTargetAndTellsTheUser) {
    test::TempDir dir;
    // The target is a folder: nothing can be written there.
    std::filesystem::create_directory(dir.path("taken"));
    EXPECT_FALSE(saveFileOrTell(dir.path("taken"), "x"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path("taken")));
    // A folder that does not exist.
    EXPECT_FALSE(saveFileOrTell(dir.path("no/such/file.csv"), "x"));
    EXPECT_EQ(platform_.messages,
              (std::vector<std::string>{"ファイルを保存できません: taken\n同じ名前のフォルダがあります",
                                        "ファイルを保存できません: file.csv\n保存先のフォルダがありません"}));
}

TEST_F(SafeFileWriter, AReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    test::TempDir dir;
    const std::string path = dir.path("keep.txt");
    test::writeFileBytes(path, "precious");
    std::filesystem::permissions(dir.dir(), std::filesystem::perms::owner_read |
                                                std::filesystem::perms::owner_exec);
    EXPECT_FALSE(writeFileAtomically(path, "new"));
    EXPECT_EQ(test::readFileBytes(path), "precious");
}

namespace {

std::vector<std::string> readLines(const std::string& bytes, std::size_t bufferSize) {
    test::TempDir dir;
    test::writeFileBytes(dir.path("f"), bytes);
    std::unique_ptr<std::FILE, FileCloser> f(openForReading(dir.path("f")));
    EXPECT_TRUE(f);
    TextLineReader r(f.get(), bufferSize);
    std::vector<std::string> lines;
    std::string_view line;
    while (r.next(line))
        lines.emplace_back(line);
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(r.bytesConsumed(), bytes.size());
    return lines;
}

} // namespace

TEST(TextLineReader, LineEndsAsTextModeReadsThem) {
    using V = std::vector<std::string>;
    for (std::size_t buffer : {16u, 17u, 1u << 20}) {
        EXPECT_EQ(readLines("a\nbb\n", buffer), (V{"a", "bb"}));
        EXPECT_EQ(readLines("a\r\nbb\r\n\r\nc", buffer), (V{"a", "bb", "", "c"}));
        EXPECT_EQ(readLines("\r\n", buffer), (V{""}));
        EXPECT_EQ(readLines("x\ry\n", buffer), (V{"x\ry"})); // a lone CR is no line end
        EXPECT_EQ(readLines("", buffer), V{});
        EXPECT_EQ(readLines(std::string("nul\0byte\n", 9), buffer),
                  (V{std::string("nul\0byte", 8)}));
    }
}

TEST(TextLineReader, LinesLongerThanTheBufferComeWhole) {
    const std::string longLine(100000, 'q');
    auto lines = readLines("short\n" + longLine + "\r\nend\n", 64);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], longLine);
    EXPECT_EQ(lines[2], "end");
}

TEST(TextLineReader, FoldersAndMissingFilesDoNotOpen) {
    test::TempDir dir;
    EXPECT_EQ(openForReading(dir.dir().string()), nullptr);
    EXPECT_EQ(openForReading(dir.path("missing")), nullptr);
}
