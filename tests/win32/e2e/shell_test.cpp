// The dialog as a window of its own: the About box on its system command,
// the other system commands, and the version record of the program file.
#include "SampleModems.h"

#include "resource.h"

namespace {

using ShellTest = SampleModemsTest;

TEST_F(ShellTest, AboutOpensOnItsCommandWhateverTheLowBitsAndLeavesTheDialogAsItWas)
{
    RunningDialog dialog;
    dialog.select(1);
    for (WPARAM command : {WPARAM(IDM_ABOUTBOX), WPARAM(IDM_ABOUTBOX + 3), WPARAM(IDM_ABOUTBOX + 15)}) {
        SCOPED_TRACE(command);
        PostMessageA(dialog.window(), WM_SYSCOMMAND, command, 0);
        HWND about = dialog.waitForOwnedWindow();
        ASSERT_NE(about, nullptr) << "no About box";
        EXPECT_EQ(windowText(about), "About Pelmora Config");
        EXPECT_NE(childTexts(about).find("Pelmora Config Version 1.0"), std::string::npos);
        EXPECT_FALSE(IsWindowEnabled(dialog.window()));
        SendMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(waitForWindowGone(about));
        EXPECT_TRUE(IsWindowEnabled(dialog.window()));
    }
    EXPECT_EQ(SendMessageA(dialog.control(IDC_MODEM_LIST), LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(dialog.isEnabled(IDC_ACCEPT_OVERRIDE));
}

TEST_F(ShellTest, OtherSystemCommandsKeepTheirDefaultProcessing)
{
    RunningDialog dialog;
    RECT before;
    GetWindowRect(dialog.window(), &before);
    SendMessageA(dialog.window(), WM_SYSCOMMAND, IDM_ABOUTBOX + 0x10, 0);
    EXPECT_EQ(dialog.waitForOwnedWindow(500), nullptr) << "a command that is not About opened a window";
    SetWindowPos(dialog.window(), nullptr, before.left + 20, before.top + 10, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    RECT after;
    GetWindowRect(dialog.window(), &after);
    EXPECT_EQ(after.left, before.left + 20);
    PostMessageA(dialog.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(dialog.waitForExit());
}

TEST(VersionRecord, IsOnePointZeroPointZeroPointOneInUsEnglish)
{
    const std::string program = programPath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);

    WORD *translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void **>(&translation), &length));
    EXPECT_EQ(translation[0], 0x0409);

    char *productName = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\ProductName",
                               reinterpret_cast<void **>(&productName), &length));
    EXPECT_STREQ(productName, "Pelmora Config");
}

} // namespace
