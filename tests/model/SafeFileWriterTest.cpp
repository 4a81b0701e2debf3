#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "TestSupport.h"
#include "document/SaveCommands.h"
#include "model/SafeFileWriter.h"

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
