// The configuration dialog's window run inside this process, for what Wine
// cannot ask of a window in another process: its system menu and icons.
#include "ConfigDialog.h"
#include "TestRegistry.h"
#include "resource.h"

#include <thread>

namespace {

struct DialogFinder {
    HWND found = nullptr;
    static BOOL CALLBACK match(HWND window, LPARAM parameter)
    {
        char caption[64] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (std::string(caption) == "Ostrevan Pelmora Configuration")
            reinterpret_cast<DialogFinder *>(parameter)->found = window;
        return TRUE;
    }
};

// Runs a CConfigDialog on a thread of its own, as the program's start-up
// would, until the test closes it.
class DialogOnThread {
public:
    DialogOnThread()
        : thread_([this] {
              threadId_ = GetCurrentThreadId();
              CConfigDialog dialog;
              dialog.DoModal();
          })
    {
        for (int attempt = 0; attempt < 200 && window_ == nullptr; ++attempt) {
            Sleep(25);
            DialogFinder finder;
            if (threadId_ != 0)
                EnumThreadWindows(threadId_, DialogFinder::match, reinterpret_cast<LPARAM>(&finder));
            window_ = finder.found;
        }
    }
    ~DialogOnThread()
    {
        if (window_ != nullptr)
            PostMessageA(window_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        thread_.join();
    }
    HWND window() const { return window_; }

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

// F1 in the dialog reaches the application's help, which explains the
// dialog. (Wine delivers WM_HELP only within a process.)
TEST_F(WindowDutiesTest, HelpExplainsModemOnHoldAndTheEditors)
{
    DialogOnThread dialog;
    ASSERT_NE(dialog.window(), nullptr);
    // A sent WM_HELP returns only once the help is closed.
    std::thread pressF1([&dialog] { SendMessageA(dialog.window(), WM_HELP, 0, 0); });
    HWND help = nullptr;
    for (int attempt = 0; attempt < 200 && help == nullptr; ++attempt) {
        Sleep(25);
        help = FindWindowA(nullptr, "Pelmora Config Help");
    }
    std::string text;
    for (HWND child = GetWindow(help, GW_CHILD); help && child; child = GetWindow(child, GW_HWNDNEXT)) {
        char part[2048] = "";
        GetWindowTextA(child, part, sizeof part);
        text += part;
    }
    if (help != nullptr)
        PostMessageA(help, WM_COMMAND, IDOK, 0);
    pressF1.join();
    ASSERT_NE(help, nullptr) << "no help shown";
    EXPECT_NE(text.find("Modem-on-hold"), std::string::npos) << text;
    EXPECT_NE(text.find("Apply"), std::string::npos) << text;
}

} // namespace
