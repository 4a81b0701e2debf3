#include <gtest/gtest.h>

#include "document/CheckpointPairing.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

TEST(CheckpointBeside, SameNameAnyCaseOfFchkOrFch) {
    test::TempDir dir;
    for (const char* name : {"job.log", "job.chk", "job2.fchk", "Job.fch"})
        test::writeFileBytes(dir.path(name), "");
    EXPECT_FALSE(checkpointBeside(dir.path("job.log")));
    test::writeFileBytes(dir.path("job.FChk"), "");
    EXPECT_EQ(checkpointBeside(dir.path("job.log")), dir.path("job.FChk"));
}

} // namespace
} // namespace kalviro
