#include "Installation.h"

#include <msi.h>

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

const char *const kInstalledFiles[6] = {"PelmoraConfig.exe", "PelmoraCtl.exe", "OvMohReg.dll",
                                       "LICENSE", "THIRD-PARTY-NOTICES.txt", "Uninstall.exe"};


// The year 2000, long before any build: a file that still has it as its
// last-write time was neither replaced nor written since the test set it.
static const FILETIME kStamp{0x256D4000, 0x01BF53EB};

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

const char *const kPrograms[2] = {"PelmoraConfig.exe", "PelmoraCtl.exe"};

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

bool startWithOutputPipe(std::string commandLine, DWORD size, HANDLE &read, HANDLE &write,
                         PROCESS_INFORMATION &process)
{
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    CreatePipe(&read, &write, &inherited, size);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)
        != FALSE;
}
