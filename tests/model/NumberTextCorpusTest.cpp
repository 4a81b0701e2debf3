// The plain-decimal reader against the C library on every number of the
// corpus's outputs: the same double, to the bit.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/LineTokens.h"
#include "model/NumberText.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

TEST(NumberTextCorpusTest, PlainDecimalsAreTheLibrarysDoubles) {
    if (!test::corpusAvailable())
        GTEST_SKIP() << "corpus absent";
    std::size_t numbers = 0;
    for (const char* folder : {"orca", "qchem", "gamess-out", "psi4", "nwchem", "g09", "g16"})
        for (const auto& entry : std::filesystem::directory_iterator(test::corpusDir() / "files" / folder)) {
            const std::string text = test::readFileBytes(entry.path().string());
            for (std::size_t i = 0; i < text.size();) {
                while (i < text.size() && isBlank(text[i]))
                    ++i;
                const std::size_t start = i;
                while (i < text.size() && !isBlank(text[i]))
                    ++i;
                const std::string token = text.substr(start, i - start);
                double fast;
                if (!parsePlainDecimal(token, fast))
                    continue;
                ++numbers;
                ASSERT_EQ(std::bit_cast<std::uint64_t>(fast),
                          std::bit_cast<std::uint64_t>(std::strtod(token.c_str(), nullptr)))
                    << token;
            }
        }
    EXPECT_GT(numbers, 100000u);
}

} // namespace
} // namespace kalviro
