// PelmoraCtl.exe run as a script runs it, its output read from pipes, on
// modems in the test prefix's registry.
#include "ChildProcess.h"
#include "ModemRegistryTest.h"
#include "RegistryLayout.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <regex>

struct Outcome {
    std::string out, err;
    DWORD status = MAXDWORD; // so it stays when the program does not start
};

// Runs PelmoraCtl.exe (or program) from beside this test with arguments
// given in UTF-8, stdout (unless output, an inheritable handle or none, is
// given for it) and stderr in pipes of their own. Its stderr is a few
// lines, far less than a pipe holds: reading stdout to its end first cannot
// stall the program.
const HANDLE kOutputPipe = INVALID_HANDLE_VALUE;
static Outcome runCtl(const std::string &arguments, HANDLE output = kOutputPipe,
                      const wchar_t *program = L"PelmoraCtl.exe")
{
    wchar_t self[MAX_PATH];
    const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    std::wstring wideArguments(arguments.size(), L'\0');
    wideArguments.resize(MultiByteToWideChar(CP_UTF8, 0, arguments.data(), static_cast<int>(arguments.size()),
                                             &wideArguments[0], static_cast<int>(wideArguments.size())));
    std::wstring commandLine = L"\"" + path.substr(0, path.rfind(L'\\') + 1) + program + L"\" " + wideArguments;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE out[2], err[2]; // read end, write end
    for (HANDLE *pipe : {out, err}) {
        CreatePipe(&pipe[0], &pipe[1], &inherited, 1 << 16);
        SetHandleInformation(pipe[0], HANDLE_FLAG_INHERIT, 0);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output == kOutputPipe ? out[1] : output;
    startup.hStdError = err[1];
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        ADD_FAILURE() << "cannot start PelmoraCtl.exe: error " << GetLastError();
    const auto drain = [](HANDLE write, HANDLE read) {
        CloseHandle(write); // the child's copy stays open until it exits
        std::string text;
        char buffer[4096];
        for (DWORD got = 0; ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got;)
            text.append(buffer, got);
        CloseHandle(read);
        return text;
    };
    Outcome run{drain(out[1], out[0]), drain(err[1], err[0])};
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &run.status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

// The strings, unescaped, and the words true and false of a JSON text, in
// order. A quote left unescaped in a string shows here.
static std::vector<std::string> jsonValues(const std::string &json)
{
    static const std::regex value(R"re("((?:[^"\\]|\\.)*)"|true|false)re");
    std::vector<std::string> values;
    for (std::sregex_iterator match(json.begin(), json.end(), value), end; match != end; ++match) {
        std::string text = (*match)[1].matched ? (*match)[1].str() : match->str();
        for (size_t at = 0; (at = text.find('\\', at)) != std::string::npos; ++at) {
            const bool coded = text.at(at + 1) == 'u'; // \u and four hex digits
            text.replace(at, coded ? 6 : 2, 1,
                         coded ? static_cast<char>(std::stoi(text.substr(at + 2, 4), nullptr, 16)) : text[at + 1]);
        }
        values.push_back(text);
    }
    return values;
}

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
        const char *arguments, *out, *errPart; // errPart "": nothing on stderr
        DWORD status;
    } steps[] = {
        {"list",
         "0000  on   accept=9#    resume=      reject=      Fax \"56K\" \\ Line\\t1: COM1\r\n"
         "0001  off  accept=      resume=      reject=      M\xF6" "dem: COM9 (not present)\r\n", "", 0},
        {"--version", "PelmoraCtl " EXPECTED_VERSION_TEXT "\r\n", "", 0},
        {"", "", "--help", 1},
        {"set 0000 hold 1", "", "usage: PelmoraCtl set MODEM", 1},
        {"enable 0007", "", "no modem 0007", 2},
        {"set 0000 reject 12345", "", "0000 (Fax \"56K\" \\ Line\t1): storing the reject sequence \"12345\"",
         ERROR_INVALID_DATA},
        {"set all resume 1A", "", "M\xF6" "dem): storing the resume sequence \"1A\" failed", ERROR_INVALID_DATA},
        // Full-width look-alikes of "all" and "*#", shown on stderr in code page 1252.
        {u8"disable \uFF41\uFF4C\uFF4C", "", "there is no modem ???;", 2},
        {u8"set 0000 reject \uFF0A\uFF03", "", "storing the reject sequence \"??\" failed", ERROR_INVALID_DATA},
        {"set 0001 accept 12*#", "", "", 0},
        {"disable all", "", "", 0},
        {"clear 0000 accept", "", "", 0},
    };
    for (const auto &step : steps) {
        const Outcome run = runCtl(step.arguments);
        EXPECT_EQ(step.status, run.status) << step.arguments;
        EXPECT_EQ(step.out, run.out) << step.arguments;
        EXPECT_TRUE(*step.errPart ? run.err.find(step.errPart) != std::string::npos : run.err.empty())
            << step.arguments << ": " << run.err;
    }
    EXPECT_NE(std::string::npos, runCtl("--help").out.find("set MODEM accept|resume|reject SEQUENCE"));

    // The library's next enumeration sees the changes, and nothing refused was stored.
    EXPECT_EQ((std::map<std::string, std::string>{{"AcceptSequence", storedText("")},
                                                  {"MohEnabled", storedDword(0)}}),
              valuesOf(settingsKey("0000")));
    EXPECT_STREQ("12*#", findModem("0001").acceptSequence);
    EXPECT_EQ(0, findModem("0000").mohEnabled + findModem("0001").mohEnabled);
}

TEST_F(ConsoleProgramTest, JsonListReadsBackAsTheModemsInUtf8)
{
    const Outcome run = runCtl("list --json");
    EXPECT_EQ(std::string::npos, run.out.find('\t')) << "a control character left unescaped";
    EXPECT_EQ(std::vector<std::string>({"modem", "0000", "moh", "true", "accept", "9#", "resume", "",
                                        "reject", "", "name", "Fax \"56K\" \\ Line\t1", "port", "COM1",
                                        "modem", "0001", "moh", "false", "accept", "", "resume", "",
                                        "reject", "", "name", "M\xC3\xB6" "dem", "port", "COM9 (not present)"}),
              jsonValues(run.out))
        << run.out;
}

// A script reads list line by line: control characters show escaped.
TEST_F(ConsoleProgramTest, ListShowsEachModemOnALineOfItsOwn)
{
    addModem("0002", {{"FriendlyName", "Two\r\nLines\x1b"}, {"AttachedTo", "COM1"}});
    const std::string out = runCtl("list").out;
    EXPECT_NE(std::string::npos, out.find("reject=      Two\\r\\nLines\\x1b: COM1\r\n")) << out;
}

// Every command that prints fails when its output is not written whole. Under
// Wine a write to a full pipe that does not wait succeeds having written
// nothing, as a write to a nearly full disk may stop short.
TEST_F(ConsoleProgramTest, OutputNotWrittenWholeIsAFailure)
{
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE read, write;
    ASSERT_TRUE(CreatePipe(&read, &write, &inherited, 1));
    DWORD noWait = PIPE_NOWAIT;
    ASSERT_TRUE(SetNamedPipeHandleState(write, &noWait, nullptr, nullptr));
    for (const char *arguments : {"list", "list --json", "--help", "--version"}) {
        const Outcome run = runCtl(arguments, write);
        EXPECT_EQ(DWORD(ERROR_DISK_FULL), run.status) << arguments;
        EXPECT_TRUE(std::regex_match(run.err, std::regex("PelmoraCtl: writing the output failed: [^\r\n]*\\(error 112\\)\r\n")))
            << arguments << ": " << run.err;
    }
    CloseHandle(read);
    CloseHandle(write);
}

// Output that cannot be written at all: a program run with its stdout
// closed, or writing into a pipe whose reader has gone.
TEST_F(ConsoleProgramTest, OutputThatCannotBeWrittenIsAFailure)
{
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE read, write;
    ASSERT_TRUE(CreatePipe(&read, &write, &inherited, 0));
    CloseHandle(read);
    const struct {
        const char *what;
        HANDLE output;
        DWORD status;
    } outputs[] = {{"closed stdout", nullptr, ERROR_INVALID_HANDLE}, {"pipe without a reader", write, ERROR_NO_DATA}};
    for (const auto &output : outputs)
        for (const char *arguments : {"list", "list --json", "--help", "--version"}) {
            const Outcome run = runCtl(arguments, output.output);
            EXPECT_EQ(output.status, run.status) << output.what << ", " << arguments;
            EXPECT_TRUE(std::regex_match(run.err, std::regex("PelmoraCtl: writing the output failed: [^\r\n]*\\(error "
                                                             + std::to_string(output.status) + "\\)\r\n")))
                << output.what << ", " << arguments << ": " << run.err;
        }
    CloseHandle(write);
}

TEST_F(ConsoleProgramTest, WithoutWriteAccessEveryModemIsTriedAndElevationSuggested)
{
    // What a user who is no administrator meets: 0000's settings refuse new values.
    setKeySecurity(settingsKey("0000"), "D:(D;;0x2;;;WD)(A;;KA;;;WD)"); // 0x2: KEY_SET_VALUE

    const Outcome run = runCtl("enable all");
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), run.status);
    for (const char *part : {"modem 0000 (Fax \"56K\" \\ Line\t1): enabling modem-on-hold failed: ",
                             "(error 5)\r\n", "elevated"})
        EXPECT_NE(std::string::npos, run.err.find(part)) << run.err;
    EXPECT_EQ(1, findModem("0001").mohEnabled) << "the modem after the failure was not tried";
}

TEST_F(ConsoleProgramTest, ModemsThatCannotBeReadFailRatherThanLookNone)
{
    setKeySecurity(kModemClassPath, "D:(D;;KR;;;WD)(A;;KA;;;WD)");
    for (const char *arguments : {"list", "enable all"}) {
        const Outcome run = runCtl(arguments);
        EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), run.status) << arguments;
        EXPECT_TRUE(std::regex_match(
            run.err, std::regex("PelmoraCtl: reading the modems failed: Access (is )?denied\\. \\(error 5\\)\r\n")))
            << arguments << ": " << run.err;
    }
    setKeySecurity(kModemClassPath, "D:(A;;KA;;;WD)"); // readable again, for TearDown
}

// A modem, or its settings, that cannot be read fail the command with the
// error: never "no such modem", nor a modem without settings.
TEST_F(ConsoleProgramTest, AModemThatCannotBeReadIsAFailureNotAModemGoneOrUnset)
{
    for (const std::string &key : {modemKey("0000"), settingsKey("0000")}) {
        setKeySecurity(key, "D:(D;;KR;;;WD)(A;;KA;;;WD)");
        for (const char *arguments : {"list", "list --json", "set 0000 accept 12", "enable all"}) {
            const Outcome run = runCtl(arguments);
            EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), run.status) << key << ", " << arguments;
            EXPECT_EQ("", run.out) << key << ", " << arguments;
            EXPECT_TRUE(std::regex_match(
                run.err, std::regex("PelmoraCtl: reading the modems failed: Access (is )?denied\\. \\(error 5\\)\r\n")))
                << key << ", " << arguments << ": " << run.err;
        }
        setKeySecurity(key, "D:(A;;KA;;;WD)");
    }
    EXPECT_EQ(storedText("9#"), valuesOf(settingsKey("0000"))["AcceptSequence"]) << "a change went through";
}

// A port map that cannot be read marks no port "(not present)": the list
// fails; a change, which needs no port, does not.
TEST_F(ConsoleProgramTest, PortsThatCannotBeReadFailTheListOnly)
{
    const char ports[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
    setKeySecurity(ports, "D:(D;;KR;;;WD)(A;;KA;;;WD)");
    const Outcome list = runCtl("list");
    const Outcome change = runCtl("enable 0001");
    setKeySecurity(ports, "D:(A;;KA;;;WD)");
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), list.status);
    EXPECT_EQ("", list.out);
    EXPECT_TRUE(std::regex_match(
        list.err, std::regex("PelmoraCtl: checking the modems' ports failed: Access (is )?denied\\. \\(error 5\\)\r\n")))
        << list.err;
    EXPECT_EQ(0u, change.status) << change.err;
    EXPECT_EQ(1, findModem("0001").mohEnabled);
}

// PelmoraCtl over a library made from the contract, beside a copy of it,
// whose first readings end as ours does when a modem is installed or removed
// meanwhile. Its log of calls tells the readings and the changes.
class ModemsChangingWhileReadTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetEnvironmentVariableA("CONTRACT_LIBRARY_LOG", nullptr);
        SetEnvironmentVariableA("CONTRACT_LIBRARY_ENDINGS", nullptr);
    }

    // The first `changed` readings see the modems change; three modems.
    Outcome runChanging(const char *arguments, int changed)
    {
        std::remove(log_.c_str());
        SetEnvironmentVariableA("CONTRACT_LIBRARY_LOG", log_.c_str());
        std::string endings;
        for (int reading = 0; reading < changed; ++reading)
            endings += std::to_string(OVMOH_MODEMS_CHANGED) + ",";
        SetEnvironmentVariableA("CONTRACT_LIBRARY_ENDINGS", (endings + std::to_string(OVMOH_NO_FURTHER_MODEM)).c_str());
        return runCtl(arguments, kOutputPipe, L"contract\\PelmoraCtl.exe");
    }
    // How many calls of each kind: "enumOstvModem 3" ends a reading.
    std::map<std::string, int> calls() const
    {
        std::map<std::string, int> counts;
        std::ifstream file(log_);
        for (std::string line; std::getline(file, line);)
            ++counts[line == "enumOstvModem 3" ? "readings" : line.substr(0, line.find(' '))];
        return counts;
    }

private:
    std::string log_ = besideThisProgram("contract\\ctl-calls.log");
};

// Read again, after a growing pause, until they stay still, five times at
// most; every modem is then listed or changed once, and on a fifth change
// the command fails having changed nothing.
TEST_F(ModemsChangingWhileReadTest, AreReadAgainUpToFiveTimes)
{
    const struct {
        const char *arguments, *change;
    } commands[] = {{"list", nullptr}, {"enable all", "enableMOH"}, {"set all accept 9#", "writeSwitchHookAccept"}};
    for (int changed : {1, 4, 5})
        for (const auto &command : commands) {
            SCOPED_TRACE(std::string(command.arguments) + ", changed " + std::to_string(changed) + " times");
            const DWORD start = GetTickCount();
            const Outcome run = runChanging(command.arguments, changed);
            const DWORD took = GetTickCount() - start;
            auto calls = this->calls();
            EXPECT_EQ(std::min(changed + 1, 5), calls["readings"]);
            if (changed < 5) {
                EXPECT_EQ(0u, run.status);
                EXPECT_EQ("", run.err);
                if (command.change) {
                    EXPECT_EQ(3, calls[command.change]);
                } else {
                    EXPECT_EQ(3, std::count(run.out.begin(), run.out.end(), '\n')) << run.out;
                }
                continue;
            }
            EXPECT_EQ(DWORD(OVMOH_MODEMS_CHANGED), run.status);
            EXPECT_TRUE(std::regex_match(run.err, std::regex("PelmoraCtl: reading the modems failed: they changed "
                                                             "each of the five times they were read: [^\r\n]*"
                                                             "\\(error 1237\\)\r\n")))
                << run.err;
            EXPECT_EQ("", run.out);
            if (command.change) {
                EXPECT_EQ(0, calls[command.change]);
            }
            EXPECT_GE(took, 1400u) << "pauses of 100, 200, 400 and 800 ms";
        }
}
