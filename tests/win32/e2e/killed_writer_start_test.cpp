// A process killed in the middle of its writes leaves nothing that keeps the
// program from starting and listing the modems.
#include "SampleModems.h"

namespace {

using KilledWriterTest = SampleModemsTest;

TEST_F(KilledWriterTest, TheProgramStartsAndListsTheModemsAfterAWriterWasKilledMidBurst)
{
    const std::string program = programPath();
    std::string writer = "\"" + program.substr(0, program.find_last_of('\\') + 1) + "burst_writer.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, &writer[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    for (int wait = 0; wait < 1000 && valuesOf(settingsKey("0000")).size() < 4; ++wait)
        Sleep(10);
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);

    RunningDialog dialog;
    EXPECT_EQ(dialog.listEntries().size(), 3u);
}

} // namespace
