// Prints what a user feels of PelmoraConfig's speed and weight, against a
// bare dialog built from the same template and manifest: start-up until the
// list holds every modem, peak working set, enumeration among many class
// subkeys, a write, and the round trip of a keypad click. It replaces the modems of
// the prefix it runs in. Usage: pelmora_benchmark [PAIRS], or
// pelmora_benchmark --starts MODEMS for starts only, under a tracing server.
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

std::string besideThis(const char *file)
{
    const std::string self = programPath();
    return self.substr(0, self.find_last_of('\\') + 1) + file;
}

void installModems(int modems, int otherSubkeys = 0)
{
    clearModems();
    for (int i = 0; i < modems; ++i) {
        char instance[8];
        std::snprintf(instance, sizeof instance, "%04d", i);
        addModem(instance, {{"FriendlyName", std::string("Benchmark modem ") + instance},
                            {"DriverDesc", "Benchmark driver"}, {"AttachedTo", "COM3"}});
        setText(settingsKey(instance), "AcceptSequence", "1#");
    }
    for (int i = 0; i < otherSubkeys; ++i)
        addModem("Other" + std::to_string(i), {});
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

// Two starts of each, program first, for a count of the Wine server's
// requests by scripts/count-start-requests.awk: the second start of each is
// the warm one.
void startsForRequestCount(int modems)
{
    installModems(modems);
    for (int i = 0; i < 2; ++i) {
        startOnce("\"" + programPath() + "\"", modems, false);
        startOnce("\"" + besideThis("bare_dialog.exe") + "\" " + std::to_string(modems), modems, false);
    }
}

// Interleaved A B A B, so that the machine's changing load falls on both.
void startUp(int modems, int pairs)
{
    installModems(modems);
    const std::string program = "\"" + programPath() + "\"";
    const std::string bare = "\"" + besideThis("bare_dialog.exe") + "\" " + std::to_string(modems);
    startOnce(program, modems, false); // warm the prefix's caches for both
    startOnce(bare, modems, false);
    std::vector<double> programTimes, bareTimes, ratios;
    for (int i = 0; i < pairs; ++i) {
        programTimes.push_back(startOnce(program, modems, false).milliseconds);
        bareTimes.push_back(startOnce(bare, modems, false).milliseconds);
        ratios.push_back(programTimes.back() / bareTimes.back());
    }
    std::printf("| %d | %.1f | %.1f | %.3f | %.3f-%.3f |\n", modems, median(programTimes), median(bareTimes),
                median(ratios), percentile(ratios, 0.25), percentile(ratios, 0.75));
}

void workingSet(int modems)
{
    installModems(modems);
    std::vector<double> program, bare;
    for (int i = 0; i < 5; ++i) {
        program.push_back(startOnce("\"" + programPath() + "\"", modems, true).peakWorkingSetMB);
        bare.push_back(startOnce("\"" + besideThis("bare_dialog.exe") + "\" " + std::to_string(modems), modems,
                                 true).peakWorkingSetMB);
    }
    std::printf("| %.1f MB | %.1f MB | %.3f |\n", median(program), median(bare), median(program) / median(bare));
}

void enumeration(int subkeys)
{
    installModems(10, subkeys - 10);
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
    installModems(10);
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
// timed, before each, so that every click lands in the first field.
void keypadClick(int rounds)
{
    installModems(3);
    RunningDialog dialog;
    dialog.select(0);
    dialog.click(IDC_ACCEPT_OVERRIDE);
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        dialog.click(IDC_ACCEPT_CLEAR);
        const double start = nowMilliseconds();
        SendMessageA(dialog.control(IDC_ACCEPT_1), BM_CLICK, 0, 0);
        while (dialog.text(IDC_ACCEPT_DIGIT1) != "1")
            Sleep(0);
        times.push_back(nowMilliseconds() - start);
    }
    std::printf("| %.3f ms | %.3f ms |\n", median(times), percentile(times, 0.99));
}

} // namespace

int main(int argc, char **argv)
{
    const bool startsOnly = argc > 2 && std::strcmp(argv[1], "--starts") == 0;
    const int pairs = argc > 1 && !startsOnly ? std::max(15, std::atoi(argv[1])) : 15;
    try {
        if (startsOnly) {
            startsForRequestCount(std::atoi(argv[2]));
            clearModems();
            return 0;
        }
        std::printf("### Start-up until the list holds every modem (%d interleaved pairs)\n\n", pairs);
        std::printf("| modems | PelmoraConfig, median ms | bare dialog, median ms | median ratio | "
                    "ratio, quartiles |\n|---|---|---|---|---|\n");
        for (int modems : {0, 3, 10})
            startUp(modems, pairs);
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
