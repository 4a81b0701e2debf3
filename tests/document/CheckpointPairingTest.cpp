#include <gtest/gtest.h>

#include "document/CheckpointPairing.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

TEST(CheckpointBeside, SameNameAnyCaseOfFchkOrFch) {
    test::TempDir dir;
    test::writeFileBytes(dir.path("job.log"), "");
    EXPECT_FALSE(checkpointBeside(dir.path("job.log")));
    for (const char* other : {"job.chk", "job2.fchk", "Job.fchk"})
        test::writeFileBytes(dir.path(other), "");
    EXPECT_FALSE(checkpointBeside(dir.path("job.log")));
    test::writeFileBytes(dir.path("job.FCh"), "");
    EXPECT_EQ(checkpointBeside(dir.path("job.log")), dir.path("job.FCh"));
    test::writeFileBytes(dir.path("job.FChk"), "");
    EXPECT_EQ(checkpointBeside(dir.path("job.log")), dir.path("job.FCh")); // first by name
}

class Pairing : public test::DocumentTest {};

TEST_F(Pairing, WithoutModesOrWithAnUnreadableFileChangesNothing) {
    EXPECT_FALSE(addCheckpointVectors(doc, "absent.fchk"));
    doc.vibrations.modes = {{Vector3{1, 0, 0}}};
    doc.vibrations.frequencies = {"1000"};
    EXPECT_FALSE(addCheckpointVectors(doc, test::dataPath("no/such.fchk")));
    ASSERT_EQ(platform_.messages.size(), 2u);
    EXPECT_NE(platform_.messages[1].find("such.fchk"), std::string::npos) << platform_.messages[1];
    EXPECT_TRUE(doc.vibrations.dipoleDerivatives.empty());
    EXPECT_FALSE(doc.view.dipolesLoaded);
}

} // namespace
} // namespace kalviro
