// The setup program as a user meets it: a silent install, the program
// started from where it was installed, an install over it, and a silent
// uninstall that takes the program away but leaves the modems' settings; an
// install or uninstall that finds the program running, and a copy moved to
// another folder.
#include "Installation.h"

#include <vector>

namespace {

using InstallerTest = SampleModemsTest;

TEST_F(InstallerTest, InstallsRunsReinstallsAndUninstallsKeepingTheModemSettings)
{
    setText(settingsKey("0000"), "AcceptSequence", "9#");

    ASSERT_EQ(runToEnd("\"" + installerPath() + "\" /S"), 0u);
    for (const char *file : kInstalledFiles)
        EXPECT_TRUE(exists(kInstallDir + "\\" + file)) << file;
    EXPECT_TRUE(exists(kShortcut)) << kShortcut;
    EXPECT_EQ(uninstallValue("DisplayName"), "Pelmora Modem-on-Hold");
    EXPECT_EQ(uninstallValue("DisplayVersion"), PELMORA_VERSION);
    EXPECT_EQ(uninstallValue("Publisher"), "Ostrevan");
    EXPECT_EQ(uninstallValue("DisplayIcon"), kInstallDir + "\\PelmoraConfig.exe");

    {
        RunningDialog dialog(kInstallDir + "\\PelmoraConfig.exe");
        EXPECT_EQ(dialog.listEntries().size(), 3u);
    }

    // Over an installed copy: the old one goes first, the new one works.
    ASSERT_EQ(runToEnd("\"" + installerPath() + "\" /S"), 0u);
    EXPECT_TRUE(exists(kInstallDir + "\\PelmoraConfig.exe"));
    EXPECT_EQ(uninstallValue("DisplayVersion"), PELMORA_VERSION);

    ASSERT_EQ(runToEnd("\"" + kInstallDir + "\\Uninstall.exe\" /S"), 0u);
    const std::string menuFolder = folder(CSIDL_COMMON_PROGRAMS) + "\\Ostrevan Pelmora";
    EXPECT_TRUE(waitUntil([&] {
        return !exists(kInstallDir) && !exists(menuFolder) && uninstallValue("UninstallString") == "(missing)";
    })) << "left behind: folder " << exists(kInstallDir) << ", shortcut " << exists(kShortcut)
        << ", uninstall entry " << uninstallValue("UninstallString");
    EXPECT_EQ(valuesOf(settingsKey("0000")).at("AcceptSequence"), storedText("9#"));
}

// A running program keeps its files: replacing the others would leave a copy
// half old and half new.
TEST_F(InstallerTest, InstallingOverTheRunningProgramChangesNothing)
{
    ASSERT_EQ(runToEnd("\"" + installerPath() + "\" /S"), 0u);
    for (const char *file : kInstalledFiles)
        ASSERT_TRUE(stamp(kInstallDir + "\\" + file)) << file;
    for (const char *program : kPrograms) {
        RunningCopy running(program);
        EXPECT_EQ(runToEnd("\"" + installerPath() + "\" /S"), kProgramRunning) << program;
        for (const char *file : kInstalledFiles)
            EXPECT_TRUE(stamped(kInstallDir + "\\" + file)) << file << " replaced or gone";
        EXPECT_EQ(uninstallValue("UninstallString"), "\"" + kInstallDir + "\\Uninstall.exe\"");
    }
    EXPECT_TRUE(uninstall(kInstallDir));
}

// Removing the other files would leave the program's own with no uninstaller.
TEST_F(InstallerTest, UninstallingWhileTheProgramRunsChangesNothing)
{
    ASSERT_EQ(runToEnd("\"" + installerPath() + "\" /S"), 0u);
    for (const char *program : kPrograms) {
        RunningCopy running(program);
        EXPECT_EQ(uninstallFrom(kInstallDir), kProgramRunning) << program;
        for (const char *file : kInstalledFiles)
            EXPECT_TRUE(exists(kInstallDir + "\\" + file)) << file;
        EXPECT_TRUE(exists(kShortcut));
        EXPECT_EQ(uninstallValue("UninstallString"), "\"" + kInstallDir + "\\Uninstall.exe\"");
    }
    EXPECT_TRUE(uninstall(kInstallDir));
}

// A copy whose folder was deleted by hand leaves a registration that names an
// uninstaller no longer there: the setup program takes that copy for removed.
TEST_F(InstallerTest, InstallsAgainAfterTheFolderWasDeletedByHand)
{
    ASSERT_EQ(runToEnd("\"" + installerPath() + "\" /S"), 0u);
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((kInstallDir + "\\*").c_str(), &found);
    ASSERT_NE(listing, INVALID_HANDLE_VALUE);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            EXPECT_TRUE(DeleteFileA((kInstallDir + "\\" + found.cFileName).c_str()))
                << found.cFileName << ": error " << GetLastError();
        }
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
    // The setup program's last handle on the folder may close a moment after it ends.
    ASSERT_TRUE(waitUntil([&] { return RemoveDirectoryA(kInstallDir.c_str()) || !exists(kInstallDir); }))
        << "error " << GetLastError();

    ASSERT_EQ(runToEnd("\"" + installerPath() + "\" /S"), 0u);
    for (const char *file : kInstalledFiles)
        EXPECT_TRUE(exists(kInstallDir + "\\" + file)) << file;
    EXPECT_TRUE(exists(kShortcut));
    EXPECT_TRUE(uninstall(kInstallDir));
    EXPECT_FALSE(exists(kShortcut));
}

// The page after the welcome shows the terms the program is given under.
TEST_F(InstallerTest, LicencePageShowsTheProductsLicence)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION setup{};
    std::string line = "\"" + installerPath() + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &setup));
    const auto isSetupWindow = [&](HWND window) {
        return processOf(window) == setup.dwProcessId && IsWindowVisible(window);
    };
    HWND window = nullptr;
    EXPECT_TRUE(waitUntil([&] { return (window = topLevelWindow(isSetupWindow)) != nullptr; }));
    if (window) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(window, IDOK)));
        EXPECT_TRUE(waitUntil([&] { return childTexts(window).find("Permission is hereby granted") != std::string::npos; }))
            << childTexts(window);
    }
    TerminateProcess(setup.hProcess, 1);
    WaitForSingleObject(setup.hProcess, 10000);
    CloseHandle(setup.hThread);
    CloseHandle(setup.hProcess);
}

// Whether a PE file carries an Authenticode signature: a certificate table.
bool carriesSignature(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> bytes(4096);
    DWORD got = 0;
    ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr);
    CloseHandle(file);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(bytes.data());
    if (got < sizeof(IMAGE_DOS_HEADER) || LONG(got) < dos->e_lfanew + LONG(sizeof(IMAGE_NT_HEADERS64)))
        return false;
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(bytes.data() + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &table =
        nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
            ? reinterpret_cast<const IMAGE_NT_HEADERS64 *>(nt)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_SECURITY]
            : nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_SECURITY];
    return table.VirtualAddress != 0 && table.Size != 0;
}

// Apps and Features runs the uninstaller elevated: a signed release's is signed
// too. Run on the signed packages only.
TEST_F(InstallerTest, SignedReleaseInstallsASignedUninstaller)
{
    ASSERT_EQ(runToEnd("\"" + installerPath() + "\" /S"), 0u);
    EXPECT_TRUE(carriesSignature(kInstallDir + "\\PelmoraConfig.exe"));
    EXPECT_TRUE(carriesSignature(kInstallDir + "\\Uninstall.exe"));
    EXPECT_TRUE(uninstall(kInstallDir));
}

// Installing into another folder moves the program there: nothing of the old
// copy stays, and an uninstaller left in another folder all the same takes
// only its own files, not the new copy's registration or Start-menu folder.
TEST_F(InstallerTest, InstallingIntoAnotherFolderRemovesTheOldCopyWhole)
{
    const std::string oldDir = folder(CSIDL_PROGRAM_FILES) + "\\Old Copy";
    const std::string newDir = folder(CSIDL_PROGRAM_FILES) + "\\New Copy";
    ASSERT_EQ(runToEnd("\"" + installerPath() + "\" /S /D=" + oldDir), 0u);
    ASSERT_EQ(runToEnd("\"" + installerPath() + "\" /S /D=" + newDir), 0u);
    EXPECT_FALSE(exists(oldDir)) << "the old copy's folder stays";
    for (const char *file : kInstalledFiles)
        EXPECT_TRUE(exists(newDir + "\\" + file)) << file;
    EXPECT_EQ(uninstallValue("UninstallString"), "\"" + newDir + "\\Uninstall.exe\"");

    const std::string strayDir = folder(CSIDL_PROGRAM_FILES) + "\\Stray Copy";
    CreateDirectoryA(strayDir.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((newDir + "\\Uninstall.exe").c_str(), (strayDir + "\\Uninstall.exe").c_str(), FALSE));
    EXPECT_EQ(uninstallFrom(strayDir), 0u);
    EXPECT_EQ(uninstallValue("UninstallString"), "\"" + newDir + "\\Uninstall.exe\"");
    EXPECT_TRUE(exists(kShortcut));
    DeleteFileA((strayDir + "\\Uninstall.exe").c_str());
    RemoveDirectoryA(strayDir.c_str());

    EXPECT_TRUE(uninstall(newDir));
    EXPECT_FALSE(exists(kShortcut));
}

} // namespace
