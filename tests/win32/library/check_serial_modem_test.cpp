#include "ModemRegistryTest.h"
#include "RegistryLayout.h"

namespace {

// HKLM\HARDWARE lives only while the wineserver runs, as it does on Windows
// until shutdown: the ports are set up again in every test.
const char kTestDevice[] = "\\Device\\PelmoraTestSerial";

class CheckSerialModemTest : public ModemRegistryTest {
protected:
    void SetUp() override
    {
        ModemRegistryTest::SetUp();
        HKEY ports;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSerialPortsPath, 0, nullptr,
                                  REG_OPTION_VOLATILE, KEY_SET_VALUE, nullptr, &ports, nullptr));
        const char port[] = "COM86";
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(ports, kTestDevice, 0, REG_SZ,
                                                reinterpret_cast<const BYTE *>(port), sizeof port));
        RegCloseKey(ports);
    }
    void TearDown() override
    {
        HKEY ports;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSerialPortsPath, 0, KEY_SET_VALUE, &ports)
            == ERROR_SUCCESS) {
            RegDeleteValueA(ports, kTestDevice);
            RegCloseKey(ports);
        }
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
