// A process killed in the middle of its writes leaves nothing that keeps the
// program from starting and listing the modems.
#include "BurstWrites.h"
#include "SampleModems.h"

namespace {

using KilledWriterTest = SampleModemsTest;

TEST_F(KilledWriterTest, TheProgramStartsAndListsTheModemsAfterAWriterWasKilledMidBurst)
{
    killBurstWriterMidway(0);

    RunningDialog dialog;
    EXPECT_EQ(dialog.listEntries().size(), 3u);
}

} // namespace
