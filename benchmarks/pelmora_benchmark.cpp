// Prints what a user feels of PelmoraConfig's speed and weight: start-up
// until the list holds every modem, against a bare dialog built from the
// same template and manifest and against the two floors of listing the
// modems (bare_dialog.cpp), then peak working set, enumeration among many
// class subkeys, a write, and the round trip of a keypad click. It replaces
// the modems and serial ports of the prefix it runs in. Usage:
// pelmora_benchmark [ROUNDS], or pelmora_benchmark --starts MODEMS PORTS for
// starts only, under a tracing server.
#include "RegistryLayout.h"
#include "RunningDialog.h"
#include "TestRegistry.h"
#include "resource.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

double nowMilliseconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1e3 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5)];
}

double median(const std::vector<double> &values) { return percentile(values, 0.5); }

// Leaves exactly these ports, COM1 upwards, in the serial port map, which
// otherwise holds the machine's own: Wine fills the map, volatile as on
// Windows, whenever its server starts.
void setSerialPorts(int ports)
{
    HKEY map;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSerialPortsPath, 0, nullptr, REG_OPTION_VOLATILE,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &map, nullptr)
        != ERROR_SUCCESS)
        throw std::runtime_error("cannot open the serial port map");
    char device[256];
    DWORD length = sizeof device;
    // Deleting shifts the rest down, so the first value is always next.
    while (RegEnumValueA(map, 0, device, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS
           && RegDeleteValueA(map, device) == ERROR_SUCCESS)
        length = sizeof device;
    for (int i = 0; i < ports; ++i) {
        const std::string name = "\\Device\\Serial" + std::to_string(i);
        const std::string port = "COM" + std::to_string(i + 1);
        if (RegSetValueExA(map, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(port.c_str()),
                           static_cast<DWORD>(port.size() + 1))
            != ERROR_SUCCESS)
            throw std::runtime_error("cannot add " + port + " to the serial port map");
    }
    RegCloseKey(map);
}

// The program lists at most ten modems.
int listed(int modems) { return std::min(modems, 10); }

// Modem i on port COM(i + 1), with every setting stored; the port map holds
// ports ports.
void installModems(int modems, int ports, int otherSubkeys = 0)
{
    clearModems();
    for (int i = 0; i < modems; ++i) {
        char instance[8];
        std::snprintf(instance, sizeof instance, "%04d", i);
        addModem(instance, {{"FriendlyName", std::string("Benchmark modem ") + instance},
                            {"DriverDesc", "Benchmark driver"},
                            {"AttachedTo", "COM" + std::to_string(i + 1)}});
        setDword(settingsKey(instance), "MohEnabled", 1);
        setText(settingsKey(instance), "AcceptSequence", "1#");
        setText(settingsKey(instance), "ResumeSequence", "*2");
        setText(settingsKey(instance), "RejectSequence", "3");
    }
    for (int i = 0; i < otherSubkeys; ++i)
        addModem("Other" + std::to_string(i), {});
    setSerialPorts(ports);
}

struct Start {
    double milliseconds;
    double peakWorkingSetMB;
};

// From process creation until the dialog's list answers with every entry:
// the list answers only once the dialog's initialisation has returned.
Start startOnce(const std::string &commandLine, LRESULT entries, bool measureMemory)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    const double start = nowMilliseconds();
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("cannot start " + commandLine);
    HWND dialog = nullptr;
    DWORD_PTR count = 0;
    // The dialog's window exists before its list does: only an answer counts.
    bool answered = false;
    while (!answered || count != static_cast<DWORD_PTR>(entries)) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            throw std::runtime_error(commandLine + " ended before its list was filled");
        HWND found = FindWindowA(nullptr, kDialogCaption);
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        dialog = owner == process.dwProcessId ? found : nullptr;
        answered = dialog != nullptr
                   && SendMessageTimeoutA(GetDlgItem(dialog, IDC_MODEM_LIST), LB_GETCOUNT, 0, 0, SMTO_NORMAL, 10000,
                                          &count) != 0;
        if (!answered)
            Sleep(1);
    }
    Start result{nowMilliseconds() - start, 0};
    if (measureMemory) {
        Sleep(500);
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
        result.peakWorkingSetMB = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    }
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

// The program and the three references it is measured against, in the
// order of their starts: the bare dialog with as many made-up entries, the
// bare dialog listing through the library as the program does, and the bare
// dialog reading the same values with the fewest registry calls.
const int kContenders = 4;

std::vector<std::string> contenders(int modems)
{
    const std::string bare = "\"" + besideThisProgram("bare_dialog.exe") + "\" ";
    return {"\"" + programPath() + "\"", bare + std::to_string(listed(modems)), bare + "--library",
            bare + "--fewest-calls"};
}

// Two starts of each, in contenders' order, for a count of the Wine server's
// requests by scripts/lib/count-start-requests.awk: the second four are warm.
void startsForRequestCount(int modems, int ports)
{
    installModems(modems, ports);
    for (int i = 0; i < 2; ++i)
        for (const std::string &commandLine : contenders(modems))
            startOnce(commandLine, listed(modems), false);
}

std::string medianAndQuartiles(const std::vector<double> &values, const char *format)
{
    char text[64];
    std::snprintf(text, sizeof text, format, median(values), percentile(values, 0.25), percentile(values, 0.75));
    return text;
}

// Interleaved A B C D A B C D, so that the machine's changing load falls on all.
void startUp(int modems, int ports, int rounds)
{
    installModems(modems, ports);
    const std::vector<std::string> commandLines = contenders(modems);
    for (const std::string &commandLine : commandLines) // warm the prefix's caches for all
        startOnce(commandLine, listed(modems), false);
    std::vector<double> times[kContenders], toFewestCalls, toBare;
    for (int i = 0; i < rounds; ++i) {
        for (int c = 0; c < kContenders; ++c)
            times[c].push_back(startOnce(commandLines[c], listed(modems), false).milliseconds);
        toFewestCalls.push_back(times[0].back() / times[3].back());
        toBare.push_back(times[0].back() / times[1].back());
    }
    std::printf("| %d | %d |", modems, ports);
    for (const std::vector<double> &contender : times)
        std::printf(" %s |", medianAndQuartiles(contender, "%.1f (%.1f-%.1f)").c_str());
    std::printf(" %s | %s |\n", medianAndQuartiles(toFewestCalls, "%.3f (%.3f-%.3f)").c_str(),
                medianAndQuartiles(toBare, "%.3f (%.3f-%.3f)").c_str());
}

void workingSet(int modems)
{
    installModems(modems, modems);
    std::vector<double> program, bare;
    for (int i = 0; i < 5; ++i) {
        program.push_back(startOnce("\"" + programPath() + "\"", modems, true).peakWorkingSetMB);
        bare.push_back(startOnce("\"" + besideThisProgram("bare_dialog.exe") + "\" " + std::to_string(modems), modems,
                                 true).peakWorkingSetMB);
    }
    std::printf("| %.1f MB | %.1f MB | %.3f |\n", median(program), median(bare), median(program) / median(bare));
}

void enumeration(int subkeys)
{
    installModems(10, 10, subkeys - 10);
    const int rounds = subkeys >= 10000 ? 7 : 21;
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const double start = nowMilliseconds();
        const size_t found = enumerateAll().size();
        times.push_back(nowMilliseconds() - start);
        if (found != 10)
            throw std::runtime_error("enumeration found " + std::to_string(found) + " modems, not 10");
    }
    std::printf("| %d | %.2f ms |\n", subkeys, median(times));
}

// One value per write: the modem-on-hold switch and an accept sequence, in turn.
void writes(int rounds)
{
    installModems(10, 10);
    ModemRecord modem = enumerateAll().back();
    std::strcpy(modem.acceptSequence, "12*#");
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const double start = nowMilliseconds();
        if ((i % 2 ? writeSwitchHookAccept(&modem) : enableMOH(&modem)) != 0)
            throw std::runtime_error("a write failed");
        times.push_back(nowMilliseconds() - start);
    }
    std::printf("| %.3f ms | %.3f ms |\n", median(times), percentile(times, 0.99));
}

// A key of the accept keypad until its digit field shows it; a Clear, not
// timed, before each, so that every click lands in the first field. Both
// controls are looked up beforehand: a lookup is a round trip of its own.
void keypadClick(int rounds)
{
    installModems(3, 3);
    RunningDialog dialog;
    dialog.select(0);
    dialog.click(IDC_ACCEPT_OVERRIDE);
    HWND key = dialog.control(IDC_ACCEPT_1);
    HWND digit = dialog.control(IDC_ACCEPT_DIGIT1);
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        dialog.click(IDC_ACCEPT_CLEAR);
        const double start = nowMilliseconds();
        SendMessageA(key, BM_CLICK, 0, 0);
        while (windowText(digit) != "1")
            Sleep(0);
        times.push_back(nowMilliseconds() - start);
    }
    std::printf("| %.3f ms | %.3f ms |\n", median(times), percentile(times, 0.99));
}

} // namespace

int main(int argc, char **argv)
{
    const bool startsOnly = argc > 3 && std::strcmp(argv[1], "--starts") == 0;
    const int rounds = argc > 1 && !startsOnly ? std::max(1, std::atoi(argv[1])) : 15;
    try {
        if (startsOnly) {
            startsForRequestCount(std::atoi(argv[2]), std::atoi(argv[3]));
            clearModems();
            return 0;
        }
        std::printf("### Start-up until the list holds every modem, against the floors "
                    "(median ms and quartiles, %d interleaved rounds)\n\n", rounds);
        std::printf("| modems | ports | PelmoraConfig | bare dialog | bare + library | fewest calls | "
                    "PelmoraConfig / fewest calls | PelmoraConfig / bare |\n|---|---|---|---|---|---|---|---|\n");
        for (int modems : {0, 3, 10})
            startUp(modems, modems, rounds);
        startUp(10, 64, rounds);
        std::printf("\n### Peak working set with the dialog open (3 modems, median of 5)\n\n"
                    "| PelmoraConfig | bare dialog | ratio |\n|---|---|---|\n");
        workingSet(3);
        std::printf("\n### Enumeration of 10 modems among the class key's subkeys (median)\n\n"
                    "| subkeys | time |\n|---|---|\n");
        for (int subkeys : {10, 100, 1000, 10000})
            enumeration(subkeys);
        std::printf("\n### A write through the library (200 writes)\n\n"
                    "| median | 99th percentile |\n|---|---|\n");
        writes(200);
        std::printf("\n### Keypad click until its digit shows (200 clicks)\n\n"
                    "| median | 99th percentile |\n|---|---|\n");
        keypadClick(200);
    } catch (const std::exception &error) {
        std::printf("benchmark failed: %s\n", error.what());
        clearModems();
        return 1;
    }
    clearModems();
    return 0;
}
