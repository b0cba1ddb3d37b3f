// The settings library loaded and unloaded at run time, as a program may
// use it: this program does not import it, so FreeLibrary unloads it.
#include "LibraryHooks.h"
#include "ModemRegistryTest.h"
#include "RegistryLayout.h"

namespace {

const char kTestDevice[] = "\\Device\\PelmoraLoading";

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
