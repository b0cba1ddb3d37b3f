// The program starts, lists the machine's modems, and ends with OK, Cancel
// or the close box.
#include "SampleModems.h"

#include "resource.h"

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
    EXPECT_EQ(SendMessageA(dialog.control(IDC_MODEM_LIST), LB_GETCURSEL, 0, 0), LB_ERR);
    for (int id : {IDC_ENABLE_MOH, IDC_DISABLE_MOH, IDC_ACCEPT_OVERRIDE, IDC_RESUME_OVERRIDE,
                   IDC_REJECT_OVERRIDE, IDC_ACCEPT_APPLY, IDC_ACCEPT_1, IDC_HANDSET_RELAY})
        EXPECT_FALSE(dialog.isEnabled(id)) << id;
    for (int id : {IDOK, IDCANCEL, IDC_MODEM_LIST, IDC_ACCEPT_DIGIT1, IDC_REJECT_DIGIT4})
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
    EXPECT_FALSE(dialog.isEnabled(IDC_ACCEPT_OVERRIDE));
    dialog.click(IDOK);
    EXPECT_TRUE(dialog.waitForExit());
}

TEST_F(StartupTest, AnEntryWiderThanTheListScrollsIntoView)
{
    addModem("0003", {{"FriendlyName", std::string(120, 'W')}, {"AttachedTo", "COM1"}});
    RunningDialog dialog;
    const HWND list = dialog.control(IDC_MODEM_LIST);
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_GT(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), client.right);
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
