// What the library keeps between calls (OvMohReg.h): the ports read for an
// enumeration's checks, under a lock. The lock is held around nothing else,
// and nothing is released at process exit.
#include "ChildProcess.h"
#include "LibraryHooks.h"
#include "ModemRegistryTest.h"
#include "RegistryLayout.h"

#include <atomic>
#include <functional>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

const char kTestDevice[] = "\\Device\\PelmoraKeptState";

class KeptStateTest : public ModemRegistryTest {
protected:
    void SetUp() override
    {
        ModemRegistryTest::SetUp();
        setText(kSerialPortsPath, kTestDevice, "COM1");
    }
    void TearDown() override
    {
        deleteValue(kSerialPortsPath, kTestDevice);
        ModemRegistryTest::TearDown();
    }
};

// Five modems, whose ports the system knows (COM1) or not, or who have none.
void addFiveModems()
{
    const char *const ports[] = {"COM1", "COM2", "COM1", nullptr, "COM3"};
    for (int number = 0; number < 5; ++number) {
        const std::string instance = "000" + std::to_string(number);
        std::map<std::string, std::string> values = {{"FriendlyName", "Modem " + instance}};
        if (ports[number])
            values["AttachedTo"] = ports[number];
        addModem(instance, values);
    }
}

const std::vector<std::string> kFiveModemsChecked = {
    "0000 Modem 0000: COM1", "0001 Modem 0001: COM2 (not present)", "0002 Modem 0002: COM1",
    "0003 Modem 0003: ", "0004 Modem 0004: COM3 (not present)"};

// A record as the dialog lists it, after CheckSerialModem, with its key.
std::string checked(ModemRecord &record)
{
    const int status = CheckSerialModem(&record);
    return std::string(record.libraryText1) + " " + record.name + ": " + record.description
        + (status ? " (check failed: " + std::to_string(status) + ")" : "");
}

// One enumeration as the dialog makes it, with the result that ended it.
std::vector<std::string> listChecked(int &end)
{
    std::vector<std::string> listed;
    ModemRecord record = {};
    int32_t cursor = 0;
    while ((end = enumOstvModem(&record, &cursor)) == 0)
        listed.push_back(checked(record));
    return listed;
}

// Two enumerations, the second started once the first has read `ahead`
// modems, then a step of each in turn; `between` runs before the second starts.
struct Interleaved {
    std::vector<std::string> listed[2];
    int end[2] = {0, 0};
};

Interleaved interleave(int ahead, const std::function<void()> &between)
{
    Interleaved run;
    ModemRecord records[2] = {};
    int32_t cursors[2] = {0, 0};
    auto step = [&](int which) {
        if (run.end[which] == 0 && (run.end[which] = enumOstvModem(&records[which], &cursors[which])) == 0)
            run.listed[which].push_back(checked(records[which]));
    };
    for (int read = 0; read < ahead; ++read)
        step(0);
    between();
    while (run.end[0] == 0 || run.end[1] == 0) {
        step(1);
        step(0);
    }
    return run;
}

// The thread that reads the port map, held in its walk until released.
DWORD walkingThread = 0;
HANDLE walking = nullptr;
HANDLE released = nullptr;

LONG holdTheWalk(const LibraryCall &call)
{
    if (GetCurrentThreadId() == walkingThread && std::strcmp(call.function, "RegEnumValueA") == 0) {
        SetEvent(walking);
        WaitForSingleObject(released, INFINITE);
    }
    return ERROR_SUCCESS;
}

DWORD WINAPI checkPort(void *record)
{
    walkingThread = GetCurrentThreadId();
    return static_cast<DWORD>(CheckSerialModem(static_cast<ModemRecord *>(record)));
}

struct Enumeration {
    ModemRecord record = {};
    int32_t *cursor = nullptr;
    int result = -1;
};

DWORD WINAPI enumerateNext(void *enumeration)
{
    auto *next = static_cast<Enumeration *>(enumeration);
    next->result = enumOstvModem(&next->record, next->cursor);
    return 0;
}

} // namespace

// Reading the port map is no use of what is kept: another thread's calls go
// on while a check walks the map, however long it takes, even one that takes
// the lock, as an enumeration's first call does.
TEST_F(KeptStateTest, ACheckWalkingThePortMapHoldsNoOtherCallUp)
{
    addModem("0000", {{"AttachedTo", "COM1"}});
    addModem("0001", {{"AttachedTo", "COM2"}});
    ModemRecord first = {};
    int32_t cursor = 0;
    ASSERT_EQ(0, enumOstvModem(&first, &cursor));

    walking = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    released = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    hookLibraryCalls(GetModuleHandleA("OvMohReg.dll"), holdTheWalk);
    HANDLE check = CreateThread(nullptr, 0, checkPort, &first, 0, nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(walking, 10000)) << "the check never walked the map";
    Enumeration next;
    int32_t anotherCursor = 0;
    next.cursor = &anotherCursor;
    HANDLE other = CreateThread(nullptr, 0, enumerateNext, &next, 0, nullptr);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(other, 5000)) << "the enumeration waited for the check's walk";
    SetEvent(released);
    WaitForSingleObject(other, INFINITE);
    WaitForSingleObject(check, INFINITE);
    hookLibraryCalls(GetModuleHandleA("OvMohReg.dll"), nullptr);
    DWORD checked = 1;
    GetExitCodeThread(check, &checked);
    for (HANDLE handle : {check, other, walking, released})
        CloseHandle(handle);

    EXPECT_EQ(0u, checked);
    EXPECT_STREQ("COM1", first.description);
    EXPECT_EQ(0, next.result);
    EXPECT_STREQ("0000", next.record.libraryText1);
}

// At process exit Windows advises against calls into other libraries: what
// the library keeps is left to the process's end.
TEST_F(KeptStateTest, NoCallAtProcessExit)
{
    addModem("0000", {{"AttachedTo", "COM1"}});
    addModem("0001", {{"AttachedTo", "COM2"}});
    char folder[MAX_PATH];
    const std::string file = std::string(folder, GetTempPathA(MAX_PATH, folder)) + "pelmora-calls-at-exit.txt";

    ASSERT_EQ(0u, runToEnd("\"" + besideThisProgram("calls_at_exit.exe") + "\" \"" + file + "\"", 60000));
    std::stringstream calls;
    calls << std::ifstream(file).rdbuf();
    DeleteFileA(file.c_str());
    EXPECT_EQ("main returns\n", calls.str());
}

// The lock: two threads list the modems, each check on every record, while
// a third stores settings of the same modems. Each list is whole and right.
TEST_F(KeptStateTest, TwoThreadsListingWhileAThirdWritesEachListAll)
{
    addFiveModems();
    std::atomic<bool> listing{true};
    std::thread writer([&] {
        std::vector<ModemRecord> modems = enumerateAll();
        for (unsigned round = 0; listing; ++round)
            for (ModemRecord &modem : modems) {
                (round % 2 ? enableMOH : disableMOH)(&modem);
                std::strcpy(modem.acceptSequence, round % 2 ? "12*#" : "");
                writeSwitchHookAccept(&modem);
            }
    });
    std::vector<std::string> wrong[2];
    std::thread listers[2];
    for (int which = 0; which < 2; ++which)
        listers[which] = std::thread([&wrong, which] {
            for (int round = 0; round < 200 && wrong[which].size() < 5; ++round) {
                int end = 0;
                const std::vector<std::string> listed = listChecked(end);
                if (end != OVMOH_NO_FURTHER_MODEM || listed != kFiveModemsChecked)
                    wrong[which].push_back("round " + std::to_string(round) + ", ended with "
                                           + std::to_string(end) + ": " + ::testing::PrintToString(listed));
            }
        });
    for (std::thread &lister : listers)
        lister.join();
    listing = false;
    writer.join();
    EXPECT_EQ(std::vector<std::string>(), wrong[0]);
    EXPECT_EQ(std::vector<std::string>(), wrong[1]);
}

TEST_F(KeptStateTest, TwoInterleavedEnumerationsEachListAll)
{
    addFiveModems();
    const Interleaved run = interleave(2, [] {});
    for (int which = 0; which < 2; ++which) {
        EXPECT_EQ(OVMOH_NO_FURTHER_MODEM, run.end[which]) << which;
        EXPECT_EQ(kFiveModemsChecked, run.listed[which]) << which;
    }
}

// Each enumeration compares the modems with what it found at its own start,
// not with what a later one found.
TEST_F(KeptStateTest, AModemAddedBeforeAnotherEnumerationStartedChangesTheFirstOnly)
{
    addFiveModems();
    deleteKey(modemKey("0000"));
    const Interleaved run = interleave(2, [] { addModem("0000", {{"FriendlyName", "Modem 0000"}}); });
    EXPECT_EQ(OVMOH_MODEMS_CHANGED, run.end[0]);
    EXPECT_EQ(OVMOH_NO_FURTHER_MODEM, run.end[1]);
    EXPECT_EQ(5u, run.listed[1].size());
}

// Each enumeration carries its own start: it ends whole however many
// newer ones started and ended while it went on.
TEST_F(KeptStateTest, AnEnumerationEndsWholeAfterAnyNumberOfNewerOnes)
{
    addFiveModems();
    // The second enumeration of interleave is the last of nine.
    const Interleaved run = interleave(1, [] {
        for (int started = 1; started < 9; ++started)
            enumerateAll();
    });
    for (int which = 0; which < 2; ++which) {
        EXPECT_EQ(OVMOH_NO_FURTHER_MODEM, run.end[which]) << which;
        EXPECT_EQ(kFiveModemsChecked, run.listed[which]) << which;
    }
}
