// The program starts, lists the machine's modems, and ends with OK, Cancel
// or the close box.
#include "SampleModems.h"

#include <commctrl.h>

namespace {

using StartupTest = SampleModemsTest;

TEST_F(StartupTest, ListsTheRegisteredModemsInOrder)
{
    RunningDialog dialog;
    EXPECT_EQ(dialog.listEntries(),
              (std::vector<std::string>{"Pelmora 56K Data Fax: COM1", "Pelmora V.92 PCI: COM3",
                                        "Pelmora External: COM9 (not present)"}));
    // Nothing is selected, so nothing acts on a modem yet.
    EXPECT_EQ(SendMessageA(dialog.control(1029), LB_GETCURSEL, 0, 0), LB_ERR);
    for (int id : {1004, 1005, 1068, 1069, 1070, 1024, 1008, 1047})
        EXPECT_FALSE(dialog.isEnabled(id)) << id;
    for (int id : {IDOK, IDCANCEL, 1029, 1028, 1066})
        EXPECT_TRUE(dialog.isEnabled(id)) << id;
}

TEST_F(StartupTest, OkCancelAndTheCloseBoxEachEndTheProgram)
{
    for (int way = 0; way < 3; ++way) {
        RunningDialog dialog;
        if (way == 0)
            dialog.click(IDOK);
        else if (way == 1)
            dialog.click(IDCANCEL);
        else
            PostMessageA(dialog.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(dialog.waitForExit()) << "way " << way;
    }
    // Closing writes nothing.
    EXPECT_TRUE(valuesOf(settingsKey("0000")).empty());
}

TEST_F(StartupTest, OpensWithAnEmptyListWhenThereAreNoModems)
{
    clearModems();
    RunningDialog dialog;
    EXPECT_TRUE(dialog.listEntries().empty());
    dialog.select(0);
    EXPECT_FALSE(dialog.isEnabled(1068));
    dialog.click(IDOK);
    EXPECT_TRUE(dialog.waitForExit());
}

TEST_F(StartupTest, TwoInstancesRunSideBySide)
{
    RunningDialog first;
    RunningDialog second;
    EXPECT_NE(first.window(), second.window());
    first.click(IDCANCEL);
    EXPECT_TRUE(first.waitForExit());
    EXPECT_EQ(second.listEntries().size(), 3u);
}

} // namespace
