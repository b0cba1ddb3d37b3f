// What the library keeps between calls (OvMohReg.h): the ports read for an
// enumeration's checks, under a lock. The lock is held around nothing else,
// and nothing is released at process exit.
#include "ChildProcess.h"
#include "LibraryHooks.h"
#include "ModemRegistryTest.h"
#include "RegistryLayout.h"

#include <cstring>
#include <fstream>
#include <sstream>

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
        HKEY ports;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSerialPortsPath, 0, KEY_SET_VALUE, &ports) == ERROR_SUCCESS) {
            RegDeleteValueA(ports, kTestDevice);
            RegCloseKey(ports);
        }
        ModemRegistryTest::TearDown();
    }
};

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
// on while a check walks the map, however long it takes.
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
    next.cursor = &cursor;
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
    EXPECT_STREQ("0001", next.record.libraryText1);
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
