// PelmoraCtl.exe run as a script runs it, its output read from pipes, on
// modems in the test prefix's registry.
#include "TestRegistry.h"

#include <sddl.h>

#include <cctype>
#include <thread>

namespace {

struct Outcome {
    std::string out, err;
    DWORD status = MAXDWORD;
};

std::string readAll(HANDLE pipe)
{
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got)
        text.append(buffer, got);
    CloseHandle(pipe);
    return text;
}

Outcome runCtl(const std::string &arguments)
{
    char self[MAX_PATH];
    std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    std::string commandLine = "\"" + path.substr(0, path.find_last_of('\\') + 1) + "PelmoraCtl.exe\" " + arguments;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &inherited, 0);
    CreatePipe(&errRead, &errWrite, &inherited, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    Outcome run;
    const BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(outWrite); // the child's copies stay; the pipes end when it exits
    CloseHandle(errWrite);
    std::thread errReader([&] { run.err = readAll(errRead); });
    run.out = readAll(outRead);
    errReader.join();
    if (!started)
        return run;
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &run.status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

// Just enough JSON for an array of flat objects: strings and bare words.
using Object = std::map<std::string, std::string>;
struct JsonReader {
    const std::string &text;
    size_t at = 0;

    bool take(char c)
    {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
        return at < text.size() && text[at] == c && ++at;
    }
    void need(char c)
    {
        if (!take(c))
            throw std::runtime_error(std::string("no ") + c + " at " + std::to_string(at) + ": " + text);
    }
    std::string scalar()
    {
        if (!take('"')) {
            const size_t start = at;
            while (at < text.size() && std::isalpha(static_cast<unsigned char>(text[at])))
                ++at;
            return text.substr(start, at - start);
        }
        std::string value;
        for (char c; (c = text.at(at++)) != '"'; value += c)
            if (c == '\\' && (c = text.at(at++)) == 'u') {
                c = static_cast<char>(std::stoi(text.substr(at, 4), nullptr, 16));
                at += 4;
            }
        return value;
    }
    std::vector<Object> objects()
    {
        std::vector<Object> array;
        for (need('['); !take(']');) {
            if (!array.empty())
                need(',');
            need('{');
            Object &object = array.emplace_back();
            while (!take('}')) {
                if (!object.empty())
                    need(',');
                const std::string key = scalar();
                need(':');
                object[key] = scalar();
            }
        }
        return array;
    }
};

// A modem whose port is there, with settings, and one whose port is gone,
// whose name is not ASCII (o with diaeresis in code page 1252).
class ConsoleProgramTest : public ModemRegistryTest {
protected:
    void SetUp() override
    {
        ModemRegistryTest::SetUp();
        ASSERT_EQ(1252u, GetACP()) << "the names below are written in code page 1252";
        addModem("0000", {{"FriendlyName", "Fax \"56K\" \\ Line\t1"}, {"AttachedTo", "COM1"}});
        addModem("0001", {{"FriendlyName", "M\xF6" "dem"}, {"AttachedTo", "COM9"}});
        setText("HARDWARE\\DEVICEMAP\\SERIALCOMM", "\\Device\\Serial0", "COM1");
        setText(settingsKey("0000"), "AcceptSequence", "9#");
        setDword(settingsKey("0000"), "MohEnabled", 1);
    }
};

TEST_F(ConsoleProgramTest, EachCommandsOutputAndStatus)
{
    const struct {
        const char *arguments, *out, *errPart;
        DWORD status;
    } steps[] = {
        {"list",
         "0000  on   accept=9#    resume=      reject=      Fax \"56K\" \\ Line\t1: COM1\r\n"
         "0001  off  accept=      resume=      reject=      M\xF6" "dem: COM9 (not present)\r\n", "", 0},
        {"--version", "PelmoraCtl 1.0.0.1\r\n", "", 0},
        {"", "", "--help", 1},
        {"set 0000 hold 1", "", "usage: PelmoraCtl set MODEM", 1},
        {"list 0000", "", "usage: PelmoraCtl list", 1},
        {"enable 0007", "", "no modem 0007", 2},
        {"set 0000 reject 12345", "", "modem 0000 (Fax", ERROR_INVALID_DATA},
        {"set all resume 1A", "", "M\xF6" "dem): storing the resume sequence \"1A\" failed", ERROR_INVALID_DATA},
        {"set 0001 accept 12*#", "", "", 0},
        {"disable all", "", "", 0},
        {"clear 0000 accept", "", "", 0},
        {"enable 0001", "", "", 0},
        {"list",
         "0000  off  accept=      resume=      reject=      Fax \"56K\" \\ Line\t1: COM1\r\n"
         "0001  on   accept=12*#  resume=      reject=      M\xF6" "dem: COM9 (not present)\r\n", "", 0},
    };
    for (const auto &step : steps) {
        const Outcome run = runCtl(step.arguments);
        EXPECT_EQ(step.status, run.status) << step.arguments;
        EXPECT_EQ(step.out, run.out) << step.arguments;
        EXPECT_NE(std::string::npos, run.err.find(step.errPart)) << step.arguments << ": " << run.err;
        EXPECT_EQ(!*step.errPart, run.err.empty()) << step.arguments << ": " << run.err;
    }
    EXPECT_NE(std::string::npos, runCtl("--help").out.find("set MODEM accept|resume|reject SEQUENCE"));

    // What the console stored is what the library enumerates next; nothing refused was stored.
    EXPECT_STREQ("", findModem("0000").acceptSequence);
    EXPECT_EQ(0, findModem("0000").mohEnabled);
    EXPECT_STREQ("12*#", findModem("0001").acceptSequence);
    EXPECT_EQ(0u, valuesOf(settingsKey("0000")).count("RejectSequence"));
    EXPECT_EQ(0u, valuesOf(settingsKey("0001")).count("ResumeSequence"));
}

TEST_F(ConsoleProgramTest, JsonListReadsBackAsTheModemsInUtf8)
{
    const Outcome run = runCtl("list --json");
    ASSERT_EQ(0u, run.status) << run.err;
    const std::vector<Object> modems = JsonReader{run.out}.objects();
    ASSERT_EQ(2u, modems.size()) << run.out;
    EXPECT_EQ((Object{{"modem", "0000"}, {"moh", "true"}, {"accept", "9#"}, {"resume", ""},
                      {"reject", ""}, {"name", "Fax \"56K\" \\ Line\t1"}, {"port", "COM1"}}),
              modems[0]);
    EXPECT_EQ("M\xC3\xB6" "dem", modems[1].at("name"));
    EXPECT_EQ("COM9 (not present)", modems[1].at("port"));
    EXPECT_EQ("false", modems[1].at("moh"));

    clearModems();
    EXPECT_EQ("[]\r\n", runCtl("list --json").out);
}

TEST_F(ConsoleProgramTest, WithoutWriteAccessEveryModemIsTriedAndElevationSuggested)
{
    // What a user who is no administrator meets: 0000's settings refuse new values.
    PSECURITY_DESCRIPTOR denyWrites = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
        "D:(D;;0x2;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1, &denyWrites, nullptr)); // 0x2: KEY_SET_VALUE
    HKEY key;
    ASSERT_EQ(0, RegOpenKeyExA(HKEY_LOCAL_MACHINE, settingsKey("0000").c_str(), 0, WRITE_DAC, &key));
    EXPECT_EQ(0, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, denyWrites));
    RegCloseKey(key);
    LocalFree(denyWrites);

    const Outcome run = runCtl("enable all");
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), run.status);
    EXPECT_NE(std::string::npos, run.err.find("modem 0000 (Fax \"56K\" \\ Line\t1): enabling"));
    EXPECT_NE(std::string::npos, run.err.find("elevated")) << run.err;
    EXPECT_EQ(1, findModem("0001").mohEnabled) << "the modem after the failure was not tried";
}

} // namespace
