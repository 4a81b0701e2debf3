// A Gaussian output of 2 GB is read in the memory a small one needs: the
// reader keeps atoms, modes and dipoles, never the lines it has passed.
// kalviro-cli reads each file in a process of its own, whose peak resident
// size the kernel reports to the waiting parent.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <vector>

#include "LargeGaussianOutput.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

// kalviro-cli's output, and the largest peak resident size of any child
// process so far (the runs go from small to large).
struct MeasuredRun {
    test::CliResult result;
    long peakKB = 0;
};
MeasuredRun runCliMeasured(const std::vector<std::string>& args) {
    MeasuredRun run{test::runCli(args)};
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    run.peakKB = usage.ru_maxrss;
    return run;
}

TEST(HugeFile, TwoGigabytesReadInTheMemoryOfSixtyFourMegabytes) {
    test::TempDir dir;
    constexpr std::uint64_t kMB = 1 << 20;
    std::error_code ec;
    const auto space = std::filesystem::space(dir.dir(), ec);
    if (ec || space.available < 2200 * kMB)
        GTEST_SKIP() << "needs 2.2 GB of free disk in " << dir.dir();

    const std::string small = dir.path("small.log"), huge = dir.path("huge.log");
    ASSERT_GT(test::writeLargeOutput(small, 64 * kMB), 60 * kMB);
    ASSERT_GT(test::writeLargeOutput(huge, 2048 * kMB), 2040 * kMB);

    const MeasuredRun a = runCliMeasured({"dump", "--summary", small});
    const MeasuredRun b = runCliMeasured({"dump", "--summary", huge});
    // 300 atoms and 3 x 300 - 6 modes, each with its dipole derivative.
    const std::string expected = "atoms 300 modes 894 dipoleDerivatives 894\n";
    EXPECT_EQ(a.result.status, 0);
    EXPECT_EQ(a.result.out, expected);
    EXPECT_EQ(b.result.status, 0);
    EXPECT_EQ(b.result.out, expected);
    RecordProperty("peakKB64MB", static_cast<int>(a.peakKB));
    RecordProperty("peakKB2GB", static_cast<int>(b.peakKB));
    ASSERT_GT(a.peakKB, 0);
    EXPECT_LT(b.peakKB - a.peakKB, 16 * 1024)
        << "peak " << a.peakKB << " kB for 64 MB, " << b.peakKB << " kB for 2 GB";
    std::filesystem::remove(huge, ec);
}

} // namespace
} // namespace kalviro
