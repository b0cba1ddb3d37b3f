#include "BurstWrites.h"
#include "ChildProcess.h"
#include "TestRegistry.h"

#include <stdexcept>

void killBurstWriterMidway(DWORD killAfter)
{
    const std::string writer = besideThisProgram("burst_writer.exe");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(writer.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        throw std::runtime_error("cannot start " + writer + ": " + std::to_string(GetLastError()));
    for (int wait = 0; wait < 1000 && valuesOf(settingsKey("0000")).size() < 4; ++wait)
        Sleep(10);
    Sleep(killAfter);
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}
