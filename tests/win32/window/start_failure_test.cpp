// A start that fails says what failed and ends the program with a failing
// exit code, instead of ending in silence.
#include "ConfigApp.h"
#include "Dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

// Waits for the message box, reads it and closes it.
std::string answerMessageBox(const char *caption)
{
    HWND box = nullptr;
    for (int attempt = 0; attempt < 200 && box == nullptr; ++attempt, Sleep(25))
        box = FindWindowA(nullptr, caption);
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); box && child; child = GetWindow(child, GW_HWNDNEXT)) {
        char part[1024] = "";
        GetWindowTextA(child, part, sizeof part);
        text += part;
    }
    if (box != nullptr)
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
}

TEST(StartFailure, DialogThatCannotBeCreatedIsReportedWithAFailingExitCode)
{
    EXPECT_EQ(theApp.ExitInstance(), 0);
    CDialog missing(0x7F00); // no such template
    std::string shown;
    std::thread reader([&shown] { shown = answerMessageBox("Pelmora Config"); });
    theApp.RunMainDialog(missing);
    reader.join();

    EXPECT_NE(shown.find("configuration dialog could not be created"), std::string::npos) << shown;
    EXPECT_NE(theApp.ExitInstance(), 0);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

} // namespace
