// The installer as a user meets it: a silent install, the program started
// from where it was installed, an install over it, and a silent uninstall
// that takes the program away but leaves the modems' settings; an install or
// uninstall that finds the program running, and a copy moved to another folder.
#include "SampleModems.h"

#include <msi.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>

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

// The packages lie in the build folder, one above the test programs, unless
// PELMORA_TEST_PACKAGES names another, such as that of the signed ones.
std::string packagePath(const std::string &file)
{
    char given[MAX_PATH] = "";
    if (GetEnvironmentVariableA("PELMORA_TEST_PACKAGES", given, MAX_PATH))
        return std::string(given) + "\\" + file;
    const std::string program = programPath();
    const std::string bin = program.substr(0, program.find_last_of('\\'));
    return bin.substr(0, bin.find_last_of('\\') + 1) + file;
}

std::string installerPath() { return packagePath(PELMORA_PACKAGE_NAME ".exe"); }

// The uninstaller hands its work to a copy of itself and returns at once.
bool waitUntil(const std::function<bool()> &done)
{
    for (int i = 0; i < 600 && !done(); ++i)
        Sleep(100);
    return done();
}

const char *const kInstalledFiles[] = {"PelmoraConfig.exe", "PelmoraCtl.exe", "OvMohReg.dll",
                                       "LICENSE", "THIRD-PARTY-NOTICES.txt", "Uninstall.exe"};

// What the installer and the uninstaller end with when they find the program running.
const DWORD kProgramRunning = 32;

// The year 2000, long before any build: a file that still has it as its
// last-write time was neither replaced nor written since the test set it.
const FILETIME kStamp{0x256D4000, 0x01BF53EB};

bool stamp(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool done = SetFileTime(file, nullptr, nullptr, &kStamp) != FALSE;
    CloseHandle(file);
    return done;
}

bool stamped(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)
        && CompareFileTime(&data.ftLastWriteTime, &kStamp) == 0;
}

// Told its folder with _?=, the uninstaller does the work itself and returns
// when done, with its exit code.
DWORD uninstallFrom(const std::string &dir)
{
    return runToEnd("\"" + dir + "\\Uninstall.exe\" /S _?=" + dir);
}

// As Apps and Features runs it: done once the folder and the registration are gone.
bool uninstall(const std::string &dir)
{
    return runToEnd("\"" + dir + "\\Uninstall.exe\" /S") == 0
        && waitUntil([&] { return !exists(dir) && uninstallValue("UninstallString") == "(missing)"; });
}

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
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        CreatePipe(&read_, &write_, &inherited, 1);
        SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = write_;
        std::string line = "\"" + kInstallDir + "\\" + program + "\" --help";
        if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process_))
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

const char *const kPrograms[] = {"PelmoraConfig.exe", "PelmoraCtl.exe"};

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

// The versions of Pelmora Modem-on-Hold that Windows Installer has installed.
std::vector<std::string> msiVersions()
{
    std::vector<std::string> versions;
    char product[39];
    for (DWORD i = 0; MsiEnumProductsA(i, product) == ERROR_SUCCESS; ++i) {
        char value[MAX_PATH] = "";
        DWORD size = sizeof value;
        MsiGetProductInfoA(product, INSTALLPROPERTY_INSTALLEDPRODUCTNAME, value, &size);
        if (std::string(value) != "Pelmora Modem-on-Hold")
            continue;
        size = sizeof value;
        MsiGetProductInfoA(product, INSTALLPROPERTY_VERSIONSTRING, value, &size);
        versions.push_back(value);
        char publisher[MAX_PATH] = "", icon[MAX_PATH] = "";
        size = sizeof publisher;
        MsiGetProductInfoA(product, INSTALLPROPERTY_PUBLISHER, publisher, &size);
        size = sizeof icon;
        MsiGetProductInfoA(product, INSTALLPROPERTY_PRODUCTICON, icon, &size);
        EXPECT_STREQ(publisher, "Ostrevan");
        EXPECT_TRUE(exists(icon)) << "the entry's icon: " << icon;
        char location[MAX_PATH] = "";
        size = sizeof location;
        MsiGetProductInfoA(product, INSTALLPROPERTY_INSTALLLOCATION, location, &size);
        EXPECT_TRUE(*location && exists(location)) << "InstallLocation: " << location;
        // Installed for the machine, not for the user who ran msiexec.
        size = sizeof value;
        EXPECT_EQ(MsiGetProductInfoExA(product, nullptr, MSIINSTALLCONTEXT_MACHINE, INSTALLPROPERTY_VERSIONSTRING,
                                       value, &size),
                  UINT(ERROR_SUCCESS))
            << "not installed for the machine";
    }
    return versions;
}

std::string msiexec(const char *action, const std::string &package)
{
    return "msiexec " + std::string(action) + " \"" + package + "\" /qn";
}

// The MSI as a fleet's deployment runs it: installed, replaced by a later
// version, never by an earlier one, and removed; the setup program and the
// MSI each refuse to go over the other's copy.
TEST_F(InstallerTest, MsiInstallsUpgradesAndUninstallsKeepingTheModemSettings)
{
    setText(settingsKey("0000"), "AcceptSequence", "9#");
    const std::string msi = packagePath(PELMORA_PACKAGE_NAME ".msi");
    const std::string laterMsi = packagePath(PELMORA_LATER_MSI);
    // Wine's Windows Installer puts the Start menu of an all-users install
    // in the user's, where Windows puts it in the common one.
    const std::string shortcutDir = folder(CSIDL_PROGRAMS) + "\\Ostrevan Pelmora";
    const std::string shortcut = shortcutDir + "\\Pelmora Modem-on-Hold.lnk";

    ASSERT_EQ(runToEnd(msiexec("/i", msi)), 0u);
    for (const char *file : {"PelmoraConfig.exe", "PelmoraCtl.exe", "OvMohReg.dll", "LICENSE", "THIRD-PARTY-NOTICES.txt"})
        EXPECT_TRUE(exists(kInstallDir + "\\" + file)) << file;
    EXPECT_TRUE(exists(shortcut) || exists(kShortcut)) << shortcut;
    EXPECT_EQ(msiVersions(), std::vector<std::string>{PELMORA_VERSION});
    {
        RunningDialog dialog(kInstallDir + "\\PelmoraConfig.exe");
        EXPECT_EQ(dialog.listEntries().size(), 3u);
    }
    EXPECT_EQ(runToEnd("\"" + installerPath() + "\" /S"), 1638u) << "the setup program went over the MSI's copy";

    ASSERT_EQ(runToEnd(msiexec("/i", laterMsi)), 0u);
    EXPECT_EQ(msiVersions(), std::vector<std::string>{PELMORA_LATER_VERSION});
    EXPECT_NE(runToEnd(msiexec("/i", msi)), 0u) << "an earlier version replaced a later one";
    EXPECT_EQ(msiVersions(), std::vector<std::string>{PELMORA_LATER_VERSION});

    ASSERT_EQ(runToEnd(msiexec("/x", laterMsi)), 0u);
    EXPECT_TRUE(msiVersions().empty());
    EXPECT_FALSE(exists(kInstallDir));
    EXPECT_FALSE(exists(shortcutDir) || exists(kShortcut));
    EXPECT_EQ(valuesOf(settingsKey("0000")).at("AcceptSequence"), storedText("9#"));

    ASSERT_EQ(runToEnd("\"" + installerPath() + "\" /S"), 0u);
    EXPECT_NE(runToEnd(msiexec("/i", msi)), 0u) << "the MSI went over the setup program's copy";
    EXPECT_TRUE(msiVersions().empty());
    EXPECT_TRUE(uninstall(kInstallDir));

    // The other edition's copies, as its packages register them: in the
    // registry view of the other kind (the 32-bit edition's under
    // WOW6432Node on 64-bit Windows).
#ifdef _WIN64
    const REGSAM otherView = KEY_WOW64_32KEY;
#else
    const REGSAM otherView = KEY_WOW64_64KEY;
#endif
    const auto registerOther = [&](const char *key, const char *name, const std::string &value) {
        HKEY opened = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE | otherView, nullptr,
                                  &opened, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()), DWORD(value.size() + 1));
        RegCloseKey(opened);
    };
    const std::string otherDir = "C:\\Other edition";
    registerOther("Software\\Ostrevan\\PelmoraMsi", "InstallDir", otherDir);
    EXPECT_EQ(runToEnd("\"" + installerPath() + "\" /S"), 1638u) << "the setup program went over the other edition's MSI copy";
    EXPECT_FALSE(exists(kInstallDir));
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\Ostrevan\\PelmoraMsi", otherView, 0);
#ifdef _WIN64
    // The 32-bit package cannot read the 64-bit view.
    registerOther(kUninstallKey, "UninstallString", "\"" + otherDir + "\\Uninstall.exe\"");
    EXPECT_NE(runToEnd(msiexec("/i", msi)), 0u) << "the MSI went over the other edition's setup program copy";
    EXPECT_TRUE(msiVersions().empty());
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, otherView, 0);
#endif
}

// As with the setup program, a running program stops an upgrade before
// anything is changed, rather than leave old and new files side by side.
TEST_F(InstallerTest, MsiUpgradeWhileTheProgramRunsChangesNothing)
{
    const std::string msi = packagePath(PELMORA_PACKAGE_NAME ".msi");
    ASSERT_EQ(runToEnd(msiexec("/i", msi)), 0u);
    for (const char *file : {"PelmoraConfig.exe", "PelmoraCtl.exe", "OvMohReg.dll"})
        ASSERT_TRUE(stamp(kInstallDir + "\\" + file)) << file;
    for (const char *program : kPrograms) {
        RunningCopy running(program);
        EXPECT_NE(runToEnd(msiexec("/i", packagePath(PELMORA_LATER_MSI))), 0u) << program;
        EXPECT_EQ(msiVersions(), std::vector<std::string>{PELMORA_VERSION}) << program;
        for (const char *file : {"PelmoraConfig.exe", "PelmoraCtl.exe", "OvMohReg.dll"})
            EXPECT_TRUE(stamped(kInstallDir + "\\" + file)) << file << " replaced while " << program << " ran";
    }
    ASSERT_EQ(runToEnd(msiexec("/x", msi)), 0u);
    EXPECT_FALSE(exists(kInstallDir));
}

// An upgrade goes into the folder the installed copy was put in.
TEST_F(InstallerTest, MsiUpgradeKeepsACustomFolder)
{
    const std::string customDir = folder(CSIDL_PROGRAM_FILES) + "\\Custom Pelmora";
    ASSERT_EQ(runToEnd(msiexec("/i", packagePath(PELMORA_PACKAGE_NAME ".msi")) + " INSTALLDIR=\"" + customDir + "\""), 0u);
    ASSERT_EQ(runToEnd(msiexec("/i", packagePath(PELMORA_LATER_MSI))), 0u);
    EXPECT_EQ(msiVersions(), std::vector<std::string>{PELMORA_LATER_VERSION});
    EXPECT_TRUE(exists(customDir + "\\PelmoraConfig.exe"));
    EXPECT_FALSE(exists(kInstallDir)) << "upgraded into the default folder";
    ASSERT_EQ(runToEnd(msiexec("/x", packagePath(PELMORA_LATER_MSI))), 0u);
    EXPECT_FALSE(exists(customDir));
}

// What a console program prints, once it has ended.
std::string outputOf(std::string commandLine)
{
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    CreatePipe(&read, &write, &inherited, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(write);
    std::string output;
    char buffer[4096];
    DWORD got = 0;
    while (started && ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got)
        output.append(buffer, got);
    CloseHandle(read);
    if (started) {
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return output;
}

bool setupProgramRegistered(REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// On 64-bit Windows: the 32-bit edition in Program Files (x86), its setup
// program's copy registered in the 32-bit registry view; the 64-bit edition
// in Program Files, in the 64-bit view.
struct Edition {
    std::string package;
    std::string dir;
    REGSAM view;
};

// Its parameters: the MSIs rather than the setup programs; the 64-bit
// edition installed over the 32-bit one rather than the other way.
class EditionChangeTest : public SampleModemsTest, public testing::WithParamInterface<std::tuple<bool, bool>> {};

// Installing the other edition, of the same version, replaces the copy:
// one folder, one entry in Apps and Features, one in the Start menu, and the
// modems' settings, which both editions share, as they were.
TEST_P(EditionChangeTest, InstallingTheOtherEditionReplacesItKeepingTheModemSettings)
{
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    if (!wow64 || !*PELMORA_OTHER_PACKAGE_NAME)
        GTEST_SKIP() << "both editions' packages, on 64-bit Windows only";
    const auto [msi, to64] = GetParam();
    char programFiles64[MAX_PATH] = "";
    GetEnvironmentVariableA("ProgramW6432", programFiles64, MAX_PATH);
    const Edition win32{PELMORA_PACKAGE_NAME, kInstallDir, KEY_WOW64_32KEY};
    const Edition win64{PELMORA_OTHER_PACKAGE_NAME, std::string(programFiles64) + "\\Ostrevan\\Pelmora", KEY_WOW64_64KEY};
    const Edition &first = to64 ? win32 : win64, &second = to64 ? win64 : win32;
    const auto package = [&](const Edition &edition) { return packagePath(edition.package + (msi ? ".msi" : ".exe")); };
    const auto install = [&](const Edition &edition) {
        return runToEnd(msi ? msiexec("/i", package(edition)) : "\"" + package(edition) + "\" /S");
    };
    setText(settingsKey("0000"), "AcceptSequence", "9#");

    ASSERT_EQ(install(first), 0u);
    ASSERT_TRUE(exists(first.dir + "\\PelmoraCtl.exe"));
    ASSERT_EQ(install(second), 0u);
    EXPECT_FALSE(exists(first.dir)) << "the other edition's copy stays";
    for (const char *file : {"PelmoraConfig.exe", "PelmoraCtl.exe", "OvMohReg.dll", "LICENSE"})
        EXPECT_TRUE(exists(second.dir + "\\" + file)) << file;
    EXPECT_EQ(setupProgramRegistered(first.view), false);
    EXPECT_EQ(setupProgramRegistered(second.view), !msi);
    EXPECT_EQ(msiVersions().size(), msi ? 1u : 0u);
    EXPECT_TRUE(exists(kShortcut) || exists(folder(CSIDL_PROGRAMS) + "\\Ostrevan Pelmora\\Pelmora Modem-on-Hold.lnk"));
    EXPECT_NE(outputOf("\"" + second.dir + "\\PelmoraCtl.exe\" list").find("9#"), std::string::npos);

    if (!msi) {
        EXPECT_TRUE(uninstall(second.dir));
        return;
    }
    // A later version of either edition replaces either; an earlier one of either refuses to.
    const std::string laterMsi = packagePath(PELMORA_LATER_MSI);
    ASSERT_EQ(runToEnd(msiexec("/i", laterMsi)), 0u);
    EXPECT_EQ(msiVersions(), std::vector<std::string>{PELMORA_LATER_VERSION});
    EXPECT_NE(runToEnd(msiexec("/i", package(win64))), 0u) << "an earlier version replaced a later one";
    EXPECT_EQ(msiVersions(), std::vector<std::string>{PELMORA_LATER_VERSION});
    EXPECT_EQ(runToEnd(msiexec("/x", laterMsi)), 0u);
}

INSTANTIATE_TEST_SUITE_P(SetupProgramsAndMsis, EditionChangeTest, testing::Combine(testing::Bool(), testing::Bool()),
                         [](const testing::TestParamInfo<std::tuple<bool, bool>> &param) {
                             return std::string(std::get<0>(param.param) ? "Msi" : "SetupProgram")
                                 + (std::get<1>(param.param) ? "32To64" : "64To32");
                         });

} // namespace
