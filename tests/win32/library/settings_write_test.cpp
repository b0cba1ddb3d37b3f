#include "ModemRegistryTest.h"

#include <cstring>
#include <functional>

TEST_F(ModemRegistryTest, EachWriteStoresItsOneValueAndEnumerationReadsItBack)
{
    addModem("0003", {{"DriverDesc", "Modem"}});
    ModemRecord modem = findModem("0003");
    std::strcpy(modem.acceptSequence, "12*#");
    std::strcpy(modem.resumeSequence, "");
    std::strcpy(modem.rejectSequence, "0");

    std::map<std::string, std::string> expected;
    ASSERT_EQ(0, enableMOH(&modem));
    EXPECT_EQ(1, modem.mohEnabled);
    expected["MohEnabled"] = storedDword(1);
    EXPECT_EQ(expected, valuesOf(settingsKey("0003")));

    const struct { int (*write)(ModemRecord *); const char *value, *text; } writes[] = {
        {writeSwitchHookAccept, "AcceptSequence", "12*#"},
        {writeSwitchHookResume, "ResumeSequence", ""},
        {writeSwitchHookReject, "RejectSequence", "0"}};
    for (const auto &write : writes) {
        ASSERT_EQ(0, write.write(&modem)) << write.value;
        expected[write.value] = storedText(write.text);
        EXPECT_EQ(expected, valuesOf(settingsKey("0003")));
    }

    ModemRecord reread = findModem("0003");
    EXPECT_EQ(0, std::memcmp(&modem, &reread, sizeof modem));

    ASSERT_EQ(0, disableMOH(&modem));
    EXPECT_EQ(0, modem.mohEnabled);
    EXPECT_EQ(storedDword(0), valuesOf(settingsKey("0003"))["MohEnabled"]);
    EXPECT_EQ(0, findModem("0003").mohEnabled);
}

TEST_F(ModemRegistryTest, TwoProgramInstancesKeepEachOthersSettings)
{
    addModem("0000", {});
    ModemRecord first = findModem("0000");
    ModemRecord second = first;
    std::strcpy(first.acceptSequence, "11");
    std::strcpy(second.acceptSequence, "99");
    std::strcpy(second.rejectSequence, "22");

    ASSERT_EQ(0, writeSwitchHookAccept(&first));
    ASSERT_EQ(0, writeSwitchHookReject(&second));
    ASSERT_EQ(0, enableMOH(&second));

    ModemRecord stored = findModem("0000");
    EXPECT_STREQ("11", stored.acceptSequence);
    EXPECT_STREQ("22", stored.rejectSequence);
    EXPECT_EQ(1, stored.mohEnabled);
}

namespace {

using Write = int (*)(ModemRecord *);
const Write kAllWrites[] = {enableMOH, disableMOH, writeSwitchHookAccept,
                            writeSwitchHookResume, writeSwitchHookReject};

void expectRefused(Write write, ModemRecord modem, const std::string &what)
{
    const ModemRecord before = modem;
    EXPECT_NE(0, write(&modem)) << what;
    EXPECT_EQ(0, std::memcmp(&before, &modem, sizeof modem)) << what;
    EXPECT_TRUE(valuesOf(settingsKey("0000")).empty()) << what;
    deleteKey(settingsKey("0000")); // so that one fault is reported once
}

} // namespace

TEST_F(ModemRegistryTest, RefusedWritesStoreNothingAndLeaveTheRecord)
{
    addModem("0000", {{"DriverDesc", "Modem"}});
    const ModemRecord enumerated = findModem("0000");

    const struct { const char *what; Write write; std::function<void(ModemRecord &)> spoil; }
        cases[] = {
            {"five keys", writeSwitchHookAccept,
             [](ModemRecord &m) { std::strcpy(m.acceptSequence, "12345"); }},
            {"letter", writeSwitchHookResume,
             [](ModemRecord &m) { std::strcpy(m.resumeSequence, "1A"); }},
            {"unterminated", writeSwitchHookReject,
             [](ModemRecord &m) { std::memset(m.rejectSequence, '1', MODEM_TEXT_SIZE); }},
            {"other key name", enableMOH,
             [](ModemRecord &m) { std::strcpy(m.libraryText1, "Properties"); }},
            {"code of another key", disableMOH, [](ModemRecord &m) { m.libraryCode = 1; }},
        };
    for (const auto &refused : cases) {
        ModemRecord modem = enumerated;
        refused.spoil(modem);
        expectRefused(refused.write, modem, refused.what);
    }

    ModemRecord madeUp = {}; // names an installed modem, yet enumeration did not fill it
    std::strcpy(madeUp.libraryText1, "0000");
    std::strcpy(madeUp.description, "COM87");
    for (Write write : kAllWrites) {
        EXPECT_NE(0, write(nullptr));
        expectRefused(write, madeUp, "made up");
    }
    expectRefused(CheckSerialModem, madeUp, "port check of a made-up record");
    EXPECT_NE(0, CheckSerialModem(nullptr));

    deleteKey(modemKey("0000"));
    for (Write write : kAllWrites)
        expectRefused(write, enumerated, "removed modem");
}
