#include "ModemRegistryTest.h"
#include "RegistryLayout.h"

#include <cstring>

namespace {

// HKLM\HARDWARE lives only while the wineserver runs, as it does on Windows
// until shutdown: the ports are set up again in every test.
const char kTestDevice[] = "\\Device\\PelmoraTestSerial";
const char kLaterDevice[] = "\\Device\\PelmoraTestSerialLater";

void setPort(const char *device, const char *port)
{
    HKEY ports;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSerialPortsPath, 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_SET_VALUE, nullptr, &ports, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(ports, device, 0, REG_SZ,
                                            reinterpret_cast<const BYTE *>(port),
                                            static_cast<DWORD>(std::strlen(port) + 1)));
    RegCloseKey(ports);
}

void removePort(const char *device) { deleteValue(kSerialPortsPath, device); }

class CheckSerialModemTest : public ModemRegistryTest {
protected:
    void SetUp() override
    {
        ModemRegistryTest::SetUp();
        setPort(kTestDevice, "COM86");
    }
    void TearDown() override
    {
        removePort(kTestDevice);
        removePort(kLaterDevice);
        ModemRegistryTest::TearDown();
    }
};

DWORD WINAPI checkPort(void *record)
{
    return static_cast<DWORD>(CheckSerialModem(static_cast<ModemRecord *>(record)));
}

} // namespace

TEST_F(CheckSerialModemTest, MarksOnlyModemsOnAPortTheSystemDoesNotKnow)
{
    addModem("0000", {{"AttachedTo", "COM86"}});
    addModem("0001", {{"AttachedTo", "COM87"}});
    addModem("0002", {});

    const char *expected[] = {"COM86", "COM87 (not present)", ""};
    std::vector<ModemRecord> modems = enumerateAll();
    ASSERT_EQ(3u, modems.size());
    for (size_t i = 0; i < modems.size(); ++i) {
        // Checking again must not mark twice.
        for (int call = 0; call < 2; ++call) {
            EXPECT_EQ(0, CheckSerialModem(&modems[i])) << i;
            EXPECT_STREQ(expected[i], modems[i].description) << i;
        }
    }
}

TEST_F(CheckSerialModemTest, MarkIsCutToFitTheDescription)
{
    addModem("0000", {{"AttachedTo", std::string(250, 'P')}});
    addModem("0001", {{"AttachedTo", std::string(10000, 'P')}});

    std::vector<ModemRecord> modems = enumerateAll();
    ASSERT_EQ(2u, modems.size());
    const std::string expected[] = {std::string(250, 'P') + " (not", std::string(255, 'P')};
    for (size_t i = 0; i < modems.size(); ++i) {
        EXPECT_EQ(0, CheckSerialModem(&modems[i]));
        EXPECT_EQ(expected[i], modems[i].description);
        EXPECT_STREQ(i == 0 ? "0000" : "0001", modems[i].libraryText1);
    }
}

// Windows rebuilds the port map as serial devices come and go.
TEST_F(CheckSerialModemTest, EndsWhenThePortMapIsDeletedDuringTheCheck)
{
    HKEY ports;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSerialPortsPath, 0, KEY_SET_VALUE, &ports));
    for (int i = 0; i < 20000; ++i)
        RegSetValueExA(ports, ("\\Device\\Gone" + std::to_string(i)).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE *>("COM1"), 5);
    RegCloseKey(ports);
    addModem("0000", {{"AttachedTo", "COM99"}});
    ModemRecord modem = findModem("0000");

    HANDLE check = CreateThread(nullptr, 0, checkPort, &modem, 0, nullptr);
    Sleep(50);
    deleteKey(kSerialPortsPath);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(check, 10000)) << "the check never ends";
    CloseHandle(check);
}

// The ports are read once for an enumeration's checks: one that comes or goes
// shows from the next enumeration, for an earlier enumeration's records too.
TEST_F(CheckSerialModemTest, APortThatComesOrGoesShowsFromTheNextEnumeration)
{
    addModem("0000", {{"AttachedTo", "COM87"}});
    ModemRecord earlier = findModem("0000");
    ModemRecord record = earlier;
    EXPECT_EQ(0, CheckSerialModem(&record));
    EXPECT_STREQ("COM87 (not present)", record.description);

    setPort(kLaterDevice, "com87");
    record = findModem("0000");
    for (ModemRecord *checked : {&record, &earlier}) {
        EXPECT_EQ(0, CheckSerialModem(checked));
        EXPECT_STREQ("COM87", checked->description);
    }

    removePort(kLaterDevice);
    record = findModem("0000");
    EXPECT_EQ(0, CheckSerialModem(&record));
    EXPECT_STREQ("COM87 (not present)", record.description);
}

// Without a port map the system knows no port.
TEST_F(CheckSerialModemTest, WithoutAPortMapNoPortIsPresent)
{
    addModem("0000", {{"AttachedTo", "COM86"}});
    deleteKey(kSerialPortsPath);
    std::vector<ModemRecord> modems = enumerateAll();
    ASSERT_EQ(1u, modems.size());
    EXPECT_EQ(0, CheckSerialModem(&modems[0]));
    EXPECT_STREQ("COM86 (not present)", modems[0].description);
}

// A port map that cannot be read says nothing of a port: the check fails
// and leaves the description, and the failed reading is not kept for the
// enumeration's other checks.
TEST_F(CheckSerialModemTest, APortMapThatCannotBeReadMarksNothingAndIsNotKept)
{
    addModem("0000", {{"AttachedTo", "COM86"}});
    addModem("0001", {{"AttachedTo", "COM87"}});
    std::vector<ModemRecord> modems = enumerateAll();
    ASSERT_EQ(2u, modems.size());
    setKeySecurity(kSerialPortsPath, "D:(D;;KR;;;WD)(A;;KA;;;WD)");
    const int failed = CheckSerialModem(&modems[0]);
    setKeySecurity(kSerialPortsPath, "D:(A;;KA;;;WD)");
    EXPECT_EQ(ERROR_ACCESS_DENIED, failed);
    EXPECT_STREQ("COM86", modems[0].description);

    for (ModemRecord &modem : modems)
        EXPECT_EQ(0, CheckSerialModem(&modem));
    EXPECT_STREQ("COM86", modems[0].description);
    EXPECT_STREQ("COM87 (not present)", modems[1].description);
}
