// What the installer tests share: where the product installs, its packages,
// the uninstaller run as Apps and Features runs it, a running copy of a
// program, and what Windows Installer has installed.
#pragma once

#include "SampleModems.h"

#include <shlobj.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A system folder, such as CSIDL_PROGRAM_FILES.
std::string folder(int csidl);

extern const char kUninstallKey[];
extern const std::string kInstallDir;
extern const std::string kShortcut;
extern const char *const kInstalledFiles[6];
extern const char *const kPrograms[2];
// What the installer and the uninstaller end with when they find the program running.
const DWORD kProgramRunning = 32;

// The installer writes its entry in the registry view of its own bitness,
// the same as this test's.
std::string uninstallValue(const char *name);
bool exists(const std::string &path);
// The packages lie in the build folder, one above the test programs, unless
// PELMORA_TEST_PACKAGES names another, such as that of the signed ones.
std::string packagePath(const std::string &file);
std::string installerPath();
// The uninstaller hands its work to a copy of itself and returns at once.
bool waitUntil(const std::function<bool()> &done);
// A file stamped with a time long before any build: one that still has it
// was neither replaced nor written since.
bool stamp(const std::string &path);
bool stamped(const std::string &path);
// Told its folder with _?=, the uninstaller does the work itself and returns
// when done, with its exit code.
DWORD uninstallFrom(const std::string &dir);
// As Apps and Features runs it: done once the folder and the registration are gone.
bool uninstall(const std::string &dir);
// Starts the command line with its standard output and error into a pipe
// of that size, whose ends are set in read and write.
bool startWithOutputPipe(std::string commandLine, DWORD size, HANDLE &read, HANDLE &write,
                         PROCESS_INFORMATION &process);
// The versions of Pelmora Modem-on-Hold that Windows Installer has installed.
std::vector<std::string> msiVersions();
std::string msiexec(const char *action, const std::string &package);

// A program of the product, started from the installed folder and kept
// running: the dialog open, or PelmoraCtl stalled writing its help into a
// pipe that nobody reads.
class RunningCopy {
public:
    explicit RunningCopy(const std::string &program)
    {
        if (program == "PelmoraConfig.exe") {
            dialog_ = std::make_unique<RunningDialog>(kInstallDir + "\\" + program);
            return;
        }
        if (!startWithOutputPipe("\"" + kInstallDir + "\\" + program + "\" --help", 1, read_, write_, process_))
            ADD_FAILURE() << "cannot start " << program << ": error " << GetLastError();
        // Once its output shows, it holds the running copy's mark.
        DWORD shown = 0;
        for (int i = 0; i < 100 && PeekNamedPipe(read_, nullptr, 0, nullptr, &shown, nullptr) && !shown; ++i)
            Sleep(100);
        EXPECT_NE(shown, 0u) << program << " wrote nothing";
        EXPECT_EQ(WaitForSingleObject(process_.hProcess, 0), DWORD(WAIT_TIMEOUT)) << program << " did not stall";
    }
    ~RunningCopy()
    {
        if (dialog_)
            return;
        CloseHandle(read_); // its write fails, and it ends
        CloseHandle(write_);
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    RunningCopy(const RunningCopy &) = delete;
    RunningCopy &operator=(const RunningCopy &) = delete;

private:
    std::unique_ptr<RunningDialog> dialog_;
    HANDLE read_ = nullptr, write_ = nullptr;
    PROCESS_INFORMATION process_{};
};

using InstallerTest = SampleModemsTest;
