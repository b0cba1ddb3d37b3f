// The settings library loaded and unloaded at run time, as a program may
// use it: this program does not import it, so FreeLibrary unloads it.
#include "LibraryHooks.h"
#include "ModemRegistryTest.h"
#include "RegistryLayout.h"

#include <cstring>

namespace {

const char kTestDevice[] = "\\Device\\PelmoraLoading";
const char kLaterDevice[] = "\\Device\\PelmoraLoadingLater";

int portsRead = 0;

LONG countPortsRead(const LibraryCall &call)
{
    portsRead += std::strcmp(call.function, "RegEnumValueA") == 0;
    return ERROR_SUCCESS;
}

// The library's calls, from the module loaded.
struct LoadedLibrary {
    explicit LoadedLibrary(HMODULE library)
        : enumerate(reinterpret_cast<int(__cdecl *)(ModemRecord *, int32_t *)>(
              reinterpret_cast<void *>(GetProcAddress(library, "enumOstvModem"))))
        , check(reinterpret_cast<int(__cdecl *)(ModemRecord *)>(
              reinterpret_cast<void *>(GetProcAddress(library, "CheckSerialModem"))))
    {
    }
    int(__cdecl *enumerate)(ModemRecord *, int32_t *);
    int(__cdecl *check)(ModemRecord *);
};

class LibraryLoadingTest : public ModemRegistryTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, GetModuleHandleA("OvMohReg.dll")) << "this program must not import the library";
        ModemRegistryTest::SetUp();
        setText(kSerialPortsPath, kTestDevice, "COM1");
        addModem("0000", {{"FriendlyName", "Known"}, {"AttachedTo", "COM1"}});
        addModem("0001", {{"FriendlyName", "Gone"}, {"AttachedTo", "COM2"}});
    }
    void TearDown() override
    {
        deleteValue(kSerialPortsPath, kTestDevice);
        deleteValue(kSerialPortsPath, kLaterDevice);
        ModemRegistryTest::TearDown();
    }
};

} // namespace

// An enumeration left unfinished, its ports read, keeps no key open, and
// what it keeps goes with the library; the library loaded again starts
// afresh, its first check before any enumeration reading the ports itself,
// and the unfinished enumeration ends whole: its cursor carries its start.
TEST_F(LibraryLoadingTest, AnUnfinishedEnumerationIsFreedWithTheLibrary)
{
    ModemRecord earlier = {};
    int32_t unfinished = 0;
    for (int round = 0; round < 100 && !HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        HMODULE library = LoadLibraryA("OvMohReg.dll");
        ASSERT_NE(nullptr, library);
        hookLibraryCalls(library, nullptr);
        const LoadedLibrary calls(library);
        if (round > 0) {
            earlier.description[4] = '\0'; // "COM2", unmarked
            EXPECT_EQ(0, calls.check(&earlier));
            EXPECT_STREQ("COM2 (not present)", earlier.description);
            EXPECT_EQ(OVMOH_NO_FURTHER_MODEM, calls.enumerate(&earlier, &unfinished));
        }

        ModemRecord record = {};
        int32_t cursor = 0;
        ASSERT_EQ(0, calls.enumerate(&record, &cursor));
        EXPECT_EQ(0, calls.check(&record));
        EXPECT_STREQ("COM1", record.description);
        ASSERT_EQ(0, calls.enumerate(&earlier, &cursor));
        EXPECT_EQ(0, calls.check(&earlier));
        EXPECT_STREQ("COM2 (not present)", earlier.description);
        unfinished = cursor;
        EXPECT_EQ(0u, keysLeftOpen());

        ASSERT_TRUE(FreeLibrary(library));
        EXPECT_EQ(nullptr, GetModuleHandleA("OvMohReg.dll")) << "the library stayed loaded";
        EXPECT_EQ(0u, heapBlocksLeft()) << "what the library kept was not freed";
    }
}

// Before any enumeration, a check reads the ports only when the map changed
// since the last check read them: checks on records kept from before the
// library was loaded again cost one walk of the map, not one each. A map
// written a moment ago is read each time: it may change again within the
// same tick of the registry's clock, which leaves its stamp as it was.
TEST_F(LibraryLoadingTest, ChecksBeforeAnyEnumerationReadThePortsAgainOnlyOnceTheyChanged)
{
    ModemRecord modems[2] = {};
    HMODULE library = LoadLibraryA("OvMohReg.dll");
    int32_t cursor = 0;
    for (ModemRecord &modem : modems)
        ASSERT_EQ(0, LoadedLibrary(library).enumerate(&modem, &cursor));
    ASSERT_TRUE(FreeLibrary(library));

    library = LoadLibraryA("OvMohReg.dll");
    hookLibraryCalls(library, countPortsRead);
    const LoadedLibrary calls(library);
    auto secondCheckReadThePorts = [&] {
        EXPECT_EQ(0, calls.check(&modems[0]));
        portsRead = 0;
        modems[1].description[4] = '\0'; // "COM2", unmarked
        EXPECT_EQ(0, calls.check(&modems[1]));
        return portsRead != 0;
    };
    setText(kSerialPortsPath, kLaterDevice, "COM3");
    EXPECT_TRUE(secondCheckReadThePorts()) << "a map written a moment ago was taken as unchanged";
    Sleep(200);
    EXPECT_FALSE(secondCheckReadThePorts()) << "the map, unchanged, was read again";
    EXPECT_STREQ("COM1", modems[0].description);
    EXPECT_STREQ("COM2 (not present)", modems[1].description);

    setText(kSerialPortsPath, kLaterDevice, "COM2");
    modems[1].description[4] = '\0';
    EXPECT_EQ(0, calls.check(&modems[1]));
    EXPECT_STREQ("COM2", modems[1].description);
    EXPECT_TRUE(FreeLibrary(library));
}
