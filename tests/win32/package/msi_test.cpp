// The MSI as a fleet's deployment runs it.
#include "Installation.h"

namespace {

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

} // namespace
