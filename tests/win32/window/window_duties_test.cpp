// The configuration dialog's window run inside this process, for what Wine
// cannot ask of a window in another process: its system menu, icons and help.
#include "AnswerMessageBox.h"
#include "ConfigDialog.h"
#include "TestRegistry.h"
#include "WinApp.h"
#include "resource.h"

#include <thread>
#include <vector>

namespace {

struct WindowSearch {
    const char *caption;
    std::vector<HWND> found;
    static BOOL CALLBACK match(HWND window, LPARAM parameter)
    {
        auto *search = reinterpret_cast<WindowSearch *>(parameter);
        char caption[64] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (IsWindowVisible(window) && std::string(caption) == search->caption)
            search->found.push_back(window);
        return TRUE;
    }
};

// The visible top-level windows of a thread that carry a caption.
std::vector<HWND> windowsOf(DWORD threadId, const char *caption)
{
    WindowSearch search{caption, {}};
    if (threadId != 0)
        EnumThreadWindows(threadId, WindowSearch::match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(DWORD threadId, const char *caption, int milliseconds = 5000)
{
    for (int waited = 0; waited < milliseconds; waited += 25, Sleep(25)) {
        const std::vector<HWND> found = windowsOf(threadId, caption);
        if (!found.empty())
            return found.front();
    }
    return nullptr;
}

// Runs a CConfigDialog on a thread of its own, as the program's start-up
// would, until the test closes it.
class DialogOnThread {
public:
    DialogOnThread()
        : thread_([this] {
              threadId_ = GetCurrentThreadId();
              CConfigDialog dialog;
              CWinApp::current()->m_pMainWnd = &dialog;
              dialog.DoModal();
              CWinApp::current()->m_pMainWnd = nullptr;
          })
    {
        while (threadId_ == 0)
            Sleep(5);
        window_ = waitForWindow(threadId_, "Ostrevan Pelmora Configuration");
    }
    ~DialogOnThread()
    {
        if (window_ != nullptr)
            PostMessageA(window_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        thread_.join();
    }
    HWND window() const { return window_; }
    DWORD threadId() const { return threadId_; }

private:
    volatile DWORD threadId_ = 0;
    HWND window_ = nullptr;
    std::thread thread_;
};

class WindowDutiesTest : public ModemRegistryTest {};

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

TEST_F(WindowDutiesTest, MinimisedDialogPaintsWithoutFailing)
{
    DialogOnThread dialog;
    ASSERT_NE(dialog.window(), nullptr);
    ShowWindow(dialog.window(), SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(dialog.window()));
    RedrawWindow(dialog.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ShowWindow(dialog.window(), SW_RESTORE);
    EXPECT_FALSE(IsIconic(dialog.window()));
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
