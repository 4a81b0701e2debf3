#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "model/TextLineReader.h"

using namespace kalviro;

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
