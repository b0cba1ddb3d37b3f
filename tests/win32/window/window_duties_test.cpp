// The configuration dialog's duties as a window: its system menu and About
// box, icons, painting and help, run inside this process.
#include "AnswerMessageBox.h"
#include "DialogOnThread.h"
#include "SampleModems.h"
#include "resource.h"

#include <thread>

namespace {

using WindowDutiesTest = SampleModemsTest;

TEST_F(WindowDutiesTest, SystemMenuEndsWithASeparatorAndTheAboutEntry)
{
    DialogOnThread dialog;
    ASSERT_NE(dialog.window(), nullptr);
    HMENU menu = GetSystemMenu(dialog.window(), FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_NE(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), UINT(IDM_ABOUTBOX));
    char text[64] = "";
    GetMenuStringA(menu, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About PelmoraConfig...");
}

TEST_F(WindowDutiesTest, AboutOpensOnItsCommandWhateverTheLowBitsAndLeavesTheDialogAsItWas)
{
    DialogOnThread dialog;
    ASSERT_NE(dialog.window(), nullptr);
    selectModem(dialog.window(), 1);
    for (WPARAM command : {WPARAM(IDM_ABOUTBOX), WPARAM(IDM_ABOUTBOX + 3), WPARAM(IDM_ABOUTBOX + 15)}) {
        SCOPED_TRACE(command);
        PostMessageA(dialog.window(), WM_SYSCOMMAND, command, 0);
        HWND about = waitForWindow(dialog.threadId(), "About Pelmora Config");
        ASSERT_NE(about, nullptr) << "no About box";
        EXPECT_EQ(GetWindow(about, GW_OWNER), dialog.window());
        // Screen readers and scripts know dialogs by the system's class.
        EXPECT_EQ(className(about), "#32770");
        EXPECT_EQ(className(dialog.window()), "#32770");
        EXPECT_NE(childTexts(about).find("Pelmora Config Version " EXPECTED_ABOUT_VERSION), std::string::npos);
        EXPECT_FALSE(IsWindowEnabled(dialog.window()));
        PostMessageA(about, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(waitForWindowGone(about));
        EXPECT_TRUE(IsWindowEnabled(dialog.window()));
    }
    EXPECT_EQ(SendDlgItemMessageA(dialog.window(), IDC_MODEM_LIST, LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog.window(), IDC_ACCEPT_OVERRIDE)));
}

TEST_F(WindowDutiesTest, OtherSystemCommandsKeepTheirDefaultProcessing)
{
    DialogOnThread dialog;
    ASSERT_NE(dialog.window(), nullptr);
    RECT before;
    GetWindowRect(dialog.window(), &before);
    PostMessageA(dialog.window(), WM_SYSCOMMAND, IDM_ABOUTBOX + 0x10, 0);
    EXPECT_EQ(waitForWindow(dialog.threadId(), "About Pelmora Config", 500), nullptr)
        << "a command that is not About opened the About box";
    SetWindowPos(dialog.window(), nullptr, before.left + 20, before.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT after;
    GetWindowRect(dialog.window(), &after);
    EXPECT_EQ(after.left, before.left + 20);
    PostMessageA(dialog.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(dialog.waitForEnd());
}

TEST_F(WindowDutiesTest, BothWindowIconsAndTheDragIconAreTheApplicationIcon)
{
    DialogOnThread dialog;
    ASSERT_NE(dialog.window(), nullptr);
    const LRESULT big = SendMessageA(dialog.window(), WM_GETICON, ICON_BIG, 0);
    const LRESULT small = SendMessageA(dialog.window(), WM_GETICON, ICON_SMALL, 0);
    const LRESULT drag = SendMessageA(dialog.window(), WM_QUERYDRAGICON, 0, 0);
    EXPECT_NE(big, 0);
    EXPECT_EQ(small, big);
    EXPECT_EQ(drag, big);

    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(big), &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXICON));
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}

// Shows the window in the given state until it holds. Wine carries a state
// through X, and the X server's late word on the window's first mapping can
// undo a state set just before it.
bool showUntil(HWND window, int command, bool iconic)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        ShowWindow(window, command);
        for (int wait = 0; wait < 25; ++wait) {
            if ((IsIconic(window) != FALSE) == iconic)
                return true;
            Sleep(20);
        }
    }
    return false;
}

TEST_F(WindowDutiesTest, MinimisedDialogPaintsWithoutFailing)
{
    DialogOnThread dialog;
    ASSERT_NE(dialog.window(), nullptr);
    ASSERT_TRUE(showUntil(dialog.window(), SW_MINIMIZE, true));
    RedrawWindow(dialog.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(showUntil(dialog.window(), SW_RESTORE, false));
    EXPECT_TRUE(IsWindowEnabled(dialog.window()));
}

// F1 reaches the window it was pressed in as WM_HELP; a message box passes
// it on to its owner. WM_HELP carries a pointer, so it can only be sent, and
// a sent one returns only once the help it opened is closed.
std::thread pressF1(HWND window)
{
    return std::thread([window] {
        HELPINFO info{sizeof info, HELPINFO_WINDOW, 0, nullptr, 0, {0, 0}};
        SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    });
}

// F1 in the dialog reaches the application's help, which explains the
// dialog. (Wine delivers WM_HELP only within a process.)
TEST_F(WindowDutiesTest, HelpExplainsModemOnHoldAndTheEditors)
{
    DialogOnThread dialog;
    ASSERT_NE(dialog.window(), nullptr);
    std::thread inDialog = pressF1(dialog.window());
    const std::string text = answerMessageBox("Pelmora Config Help");
    inDialog.join();
    ASSERT_FALSE(text.empty()) << "no help shown";
    EXPECT_NE(text.find("Modem-on-hold"), std::string::npos) << text;
    EXPECT_NE(text.find("Apply"), std::string::npos) << text;
}

TEST_F(WindowDutiesTest, AboutBoxKeepsItsIconSizeAndF1ThereShowsOneHelpBoxItOwns)
{
    DialogOnThread dialog;
    ASSERT_NE(dialog.window(), nullptr);
    PostMessageA(dialog.window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = waitForWindow(dialog.threadId(), "About Pelmora Config");
    ASSERT_NE(about, nullptr);

    // The icon keeps the 20 x 20 dialog units of the template at 11, 17.
    RECT place{11, 17, 0, 0};
    RECT size{20, 20, 0, 0};
    MapDialogRect(about, &place);
    MapDialogRect(about, &size);
    HWND iconControl = GetWindow(about, GW_CHILD);
    EXPECT_NE(SendMessageA(iconControl, STM_GETICON, 0, 0), 0);
    RECT icon;
    GetWindowRect(iconControl, &icon);
    MapWindowPoints(nullptr, about, reinterpret_cast<POINT *>(&icon), 2);
    EXPECT_EQ(icon.left, place.left);
    EXPECT_EQ(icon.top, place.top);
    EXPECT_EQ(icon.right - icon.left, size.left);
    EXPECT_EQ(icon.bottom - icon.top, size.top);

    std::thread inAbout = pressF1(about);
    HWND help = waitForWindow(dialog.threadId(), "Pelmora Config Help");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(GetWindow(help, GW_OWNER), about);

    std::thread inHelp = pressF1(help);
    std::thread inDialog = pressF1(dialog.window());
    Sleep(500);
    EXPECT_EQ(windowsOf(dialog.threadId(), "Pelmora Config Help").size(), 1u);

    // Closing the help box opens no other; close any that stacked up.
    int closed = 0;
    for (HWND box; closed < 5 && (box = waitForWindow(dialog.threadId(), "Pelmora Config Help", 1000)); ++closed) {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        while (IsWindow(box))
            Sleep(20);
    }
    EXPECT_EQ(closed, 1);
    for (std::thread *press : {&inAbout, &inHelp, &inDialog})
        press->join();
    PostMessageA(about, WM_COMMAND, IDOK, 0);
}

} // namespace
