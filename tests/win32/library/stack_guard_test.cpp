#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// The library and PelmoraCtl are built with the stack protector over guard
// routines of their own: a seeded guard, and an overrun that ends the process.
TEST(StackGuardTest, AnOverrunFrameEndsTheProcessWithTheStackCookieStatus)
{
    char path[MAX_PATH];
    std::string helper(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    helper = helper.substr(0, helper.find_last_of('\\') + 1) + "stack_overrun.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(helper.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process)) << GetLastError();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000));
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_EQ(STATUS_STACK_BUFFER_OVERRUN, exitCode);
}
