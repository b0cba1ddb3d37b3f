// One edition installed over the other, by setup program or MSI.
#include "Installation.h"

#include <tuple>

namespace {

// What a console program prints, once it has ended.
std::string outputOf(const std::string &commandLine)
{
    HANDLE read = nullptr, write = nullptr;
    PROCESS_INFORMATION process{};
    const bool started = startWithOutputPipe(commandLine, 0, read, write, process);
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
