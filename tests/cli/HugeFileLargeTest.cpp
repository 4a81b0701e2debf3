// A Gaussian output of 2 GB is read in the memory a small one needs: the
// reader keeps atoms, modes and dipoles, never the lines it has passed.
// kalviro-cli reads each file in a process of its own, whose peak resident
// size the kernel reports when it ends.

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "LargeGaussianOutput.h"
#include "support/TestSupport.h"

extern char** environ;

namespace kalviro {
namespace {

struct MeasuredRun {
    int status = -1;
    long peakKB = 0;
    std::string out;
};

MeasuredRun runCliMeasured(const std::vector<std::string>& args) {
    MeasuredRun run;
    int fds[2];
    if (pipe(fds) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<std::string> all{KALVIRO_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        run.out.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    if (spawned != 0)
        return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
        run.peakKB = usage.ru_maxrss;
    }
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
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.out, expected);
    EXPECT_EQ(b.status, 0);
    EXPECT_EQ(b.out, expected);
    RecordProperty("peakKB64MB", static_cast<int>(a.peakKB));
    RecordProperty("peakKB2GB", static_cast<int>(b.peakKB));
    ASSERT_GT(a.peakKB, 0);
    EXPECT_LT(b.peakKB - a.peakKB, 16 * 1024)
        << "peak " << a.peakKB << " kB for 64 MB, " << b.peakKB << " kB for 2 GB";
    std::filesystem::remove(huge, ec);
}

} // namespace
} // namespace kalviro
