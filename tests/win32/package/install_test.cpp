// The installer as a user meets it: a silent install, the program started
// from where it was installed, an install over it, and a silent uninstall
// that takes the program away but leaves the modems' settings.
#include "SampleModems.h"

#include <shlobj.h>

#include <functional>

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PelmoraConfig";

std::string folder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

const std::string kInstallDir = folder(CSIDL_PROGRAM_FILES) + "\\Ostrevan\\Pelmora";
const std::string kShortcut = folder(CSIDL_COMMON_PROGRAMS) + "\\Ostrevan Pelmora\\Pelmora Modem-on-Hold.lnk";

// The installer writes its entry in the registry view of its own bitness,
// the same as this test's.
std::string uninstallValue(const char *name)
{
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size)
        != ERROR_SUCCESS)
        return "(missing)";
    return value;
}

bool exists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The installer lies in the build folder, one above the test programs.
std::string installerPath()
{
    const std::string program = programPath();
    const std::string bin = program.substr(0, program.find_last_of('\\'));
    return bin.substr(0, bin.find_last_of('\\') + 1) + PELMORA_INSTALLER;
}

DWORD run(const std::string &commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return GetLastError();
    WaitForSingleObject(process.hProcess, 120000);
    DWORD status = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

// The uninstaller hands its work to a copy of itself and returns at once.
bool waitUntil(const std::function<bool()> &done)
{
    for (int i = 0; i < 600 && !done(); ++i)
        Sleep(100);
    return done();
}

using InstallerTest = SampleModemsTest;

TEST_F(InstallerTest, InstallsRunsReinstallsAndUninstallsKeepingTheModemSettings)
{
    setText(settingsKey("0000"), "AcceptSequence", "9#");

    ASSERT_EQ(run("\"" + installerPath() + "\" /S"), 0u);
    for (const char *file : {"PelmoraConfig.exe", "PelmoraCtl.exe", "OvMohReg.dll", "Uninstall.exe"})
        EXPECT_TRUE(exists(kInstallDir + "\\" + file)) << file;
    EXPECT_TRUE(exists(kShortcut)) << kShortcut;
    EXPECT_EQ(uninstallValue("DisplayName"), "Pelmora Modem-on-Hold");
    EXPECT_EQ(uninstallValue("DisplayVersion"), "1.0.0.1");
    EXPECT_EQ(uninstallValue("Publisher"), "Ostrevan");
    EXPECT_EQ(uninstallValue("DisplayIcon"), kInstallDir + "\\PelmoraConfig.exe");

    {
        RunningDialog dialog(kInstallDir + "\\PelmoraConfig.exe");
        EXPECT_EQ(dialog.listEntries().size(), 3u);
    }

    // Over an installed copy: the old one goes first, the new one works.
    ASSERT_EQ(run("\"" + installerPath() + "\" /S"), 0u);
    EXPECT_TRUE(exists(kInstallDir + "\\PelmoraConfig.exe"));
    EXPECT_EQ(uninstallValue("DisplayVersion"), "1.0.0.1");

    ASSERT_EQ(run("\"" + kInstallDir + "\\Uninstall.exe\" /S"), 0u);
    const std::string menuFolder = folder(CSIDL_COMMON_PROGRAMS) + "\\Ostrevan Pelmora";
    EXPECT_TRUE(waitUntil([&] {
        return !exists(kInstallDir) && !exists(menuFolder) && uninstallValue("UninstallString") == "(missing)";
    })) << "left behind: folder " << exists(kInstallDir) << ", shortcut " << exists(kShortcut)
        << ", uninstall entry " << uninstallValue("UninstallString");
    EXPECT_EQ(valuesOf(settingsKey("0000")).at("AcceptSequence"), storedText("9#"));
}

} // namespace
