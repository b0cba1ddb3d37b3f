#include "ModemRegistryTest.h"
#include "RegistryLayout.h"

#include <cstring>
#include <initializer_list>

TEST_F(ModemRegistryTest, FindsInstanceKeysInRegistryOrderAndSkipsOthers)
{
    for (const char *key : {"0010", "Properties", "0002", "01", "00a1", "00001", "0000"})
        addModem(key, {{"DriverDesc", std::string("Modem ") + key}});

    // Registry order: 0000 00001 0002 0010 00a1 01 Properties.
    const struct { const char *instance; int32_t code; } expected[] = {
        {"0000", 0}, {"0002", 2}, {"0010", 10}};
    ModemRecord record = {};
    int32_t cursor = 0;
    for (const auto &modem : expected) {
        ASSERT_EQ(0, enumOstvModem(&record, &cursor)) << modem.instance;
        EXPECT_STREQ(modem.instance, record.libraryText1);
        EXPECT_EQ(modem.code, record.libraryCode);
        EXPECT_EQ("Modem " + std::string(modem.instance), record.name);
        EXPECT_STREQ("", record.libraryText2);
    }

    const ModemRecord last = record;
    for (int call = 0; call < 2; ++call) {
        EXPECT_EQ(OVMOH_NO_FURTHER_MODEM, enumOstvModem(&record, &cursor));
        EXPECT_EQ(0, std::memcmp(&last, &record, sizeof record));
    }
}

TEST_F(ModemRegistryTest, FindsNothingWithoutModemsOrUsableArguments)
{
    ModemRecord record = {};
    int32_t cursor = 0;
    EXPECT_EQ(OVMOH_NO_FURTHER_MODEM, enumOstvModem(&record, &cursor));

    addModem("0000", {{"DriverDesc", "Modem"}});
    int32_t negative = -1;
    EXPECT_EQ(ERROR_INVALID_PARAMETER, enumOstvModem(&record, &negative));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, enumOstvModem(nullptr, &cursor));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, enumOstvModem(&record, nullptr));
    EXPECT_EQ(0, enumOstvModem(&record, &cursor));
}

// A modem class that may not be read is a failure, not a machine without modems.
TEST_F(ModemRegistryTest, AnUnreadableModemClassReturnsTheErrorCode)
{
    addModem("0000", {{"DriverDesc", "Modem"}});
    setKeySecurity(kModemClassPath, "D:(D;;KR;;;WD)(A;;KA;;;WD)");
    ModemRecord record = {};
    int32_t cursor = 0;
    const int result = enumOstvModem(&record, &cursor);
    setKeySecurity(kModemClassPath, "D:(A;;KA;;;WD)");
    EXPECT_EQ(ERROR_ACCESS_DENIED, result);
}

TEST_F(ModemRegistryTest, NameFallsBackToDriverDescAndDescriptionIsThePort)
{
    addModem("0000", {{"FriendlyName", "Friendly"}, {"DriverDesc", "Driver"}, {"AttachedTo", "COM3"}});
    addModem("0001", {{"FriendlyName", ""}, {"DriverDesc", "Driver 1"}});
    addModem("0002", {{"DriverDesc", "Driver 2"}, {"AttachedTo", "COM4"}});
    addModem("0003", {});

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Friendly", "COM3"}, {"Driver 1", ""}, {"Driver 2", "COM4"}, {"", ""}};
    std::vector<ModemRecord> modems = enumerateAll();
    ASSERT_EQ(expected.size(), modems.size());
    for (size_t i = 0; i < modems.size(); ++i) {
        EXPECT_EQ(expected[i].first, modems[i].name) << i;
        EXPECT_EQ(expected[i].second, modems[i].description) << i;
    }
}

TEST_F(ModemRegistryTest, ReadsStoredSettingsAsStoredOrDefaults)
{
    for (const char *instance : {"0000", "0001", "0002"})
        addModem(instance, {});
    setDword(settingsKey("0001"), "MohEnabled", 1);
    setText(settingsKey("0001"), "AcceptSequence", "1#");
    setText(settingsKey("0001"), "ResumeSequence", "*");
    setText(settingsKey("0001"), "RejectSequence", "90");
    setDword(settingsKey("0002"), "MohEnabled", 7);
    setText(settingsKey("0002"), "RejectSequence", "not keys"); // shown as stored

    std::vector<ModemRecord> modems = enumerateAll();
    ASSERT_EQ(3u, modems.size());
    const struct { int32_t enabled; const char *accept, *resume, *reject; } expected[] = {
        {0, "", "", ""}, {1, "1#", "*", "90"}, {1, "", "", "not keys"}};
    for (size_t i = 0; i < modems.size(); ++i) {
        EXPECT_EQ(expected[i].enabled, modems[i].mohEnabled) << i;
        EXPECT_STREQ(expected[i].accept, modems[i].acceptSequence) << i;
        EXPECT_STREQ(expected[i].resume, modems[i].resumeSequence) << i;
        EXPECT_STREQ(expected[i].reject, modems[i].rejectSequence) << i;
    }
}

TEST_F(ModemRegistryTest, InstanceKeysAreNamedByFourAsciiDigitsAsStored)
{
    addModem("0001", {{"DriverDesc", "Modem"}});
    const std::string classKey = modemKey("");
    const std::wstring fullWidth0001 =
        std::wstring(classKey.begin(), classKey.end()) + L"\uFF10\uFF10\uFF10\uFF11";
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, fullWidth0001.c_str(), 0, nullptr,
                                             0, KEY_SET_VALUE, nullptr, &key, nullptr));
    RegCloseKey(key);

    EXPECT_EQ(1u, enumerateAll().size());
}

// A machine without the modem device class has no modems: that is no failure.
TEST_F(ModemRegistryTest, AMissingModemClassHasNoModems)
{
    deleteKey(kModemClassPath);
    ModemRecord record = {};
    int32_t cursor = 0;
    EXPECT_EQ(OVMOH_NO_FURTHER_MODEM, enumOstvModem(&record, &cursor));
    EXPECT_TRUE(enumerateAll().empty());
}

// A read that failed is no value that was not stored: a modem whose key or
// settings cannot be read ends the enumeration with the error, rather than
// being passed over or shown without its settings.
TEST_F(ModemRegistryTest, AModemOrItsSettingsThatCannotBeReadEndTheEnumerationWithTheError)
{
    addModem("0000", {{"DriverDesc", "Modem 0"}});
    addModem("0001", {{"FriendlyName", "Modem 1"}});
    setDword(settingsKey("0001"), "MohEnabled", 1);
    addModem("0002", {{"DriverDesc", "Modem 2"}});
    for (const std::string &key : {modemKey("0001"), settingsKey("0001")}) {
        setKeySecurity(key, "D:(D;;KR;;;WD)(A;;KA;;;WD)");
        ModemRecord record = {};
        int32_t cursor = 0;
        EXPECT_EQ(0, enumOstvModem(&record, &cursor)) << key;
        EXPECT_STREQ("0000", record.libraryText1) << key;
        EXPECT_EQ(ERROR_ACCESS_DENIED, enumOstvModem(&record, &cursor)) << key;
        setKeySecurity(key, "D:(A;;KA;;;WD)");
    }
    EXPECT_EQ(1, findModem("0001").mohEnabled);
}
