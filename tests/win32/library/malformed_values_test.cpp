#include "ModemRegistryTest.h"

#include <cstring>

TEST_F(ModemRegistryTest, ValuesOfTheWrongTypeReadAsAbsent)
{
    addModem("0000", {{"DriverDesc", "Driver"}});
    const DWORD number = 5;
    const char port[] = {'C', 'O', 'M', '1'};
    const DWORD wide[] = {1, 0};
    setValue(modemKey("0000"), "FriendlyName", REG_DWORD, &number, sizeof number);
    setValue(modemKey("0000"), "AttachedTo", REG_BINARY, port, sizeof port);
    setText(settingsKey("0000"), "MohEnabled", "1");
    setValue(settingsKey("0000"), "AcceptSequence", REG_DWORD, &number, sizeof number);
    setValue(settingsKey("0000"), "ResumeSequence", REG_BINARY, port, sizeof port);
    addModem("0001", {});
    setValue(settingsKey("0001"), "MohEnabled", REG_DWORD, wide, sizeof wide);

    std::vector<ModemRecord> modems = enumerateAll();
    ASSERT_EQ(2u, modems.size());
    EXPECT_STREQ("Driver", modems[0].name);
    EXPECT_STREQ("", modems[0].description);
    EXPECT_EQ(0, modems[0].mohEnabled);
    EXPECT_STREQ("", modems[0].acceptSequence);
    EXPECT_STREQ("", modems[0].resumeSequence);
    EXPECT_EQ(0, modems[1].mohEnabled);
}

TEST_F(ModemRegistryTest, OverlongTextsAreCutToTheField)
{
    const std::string overlong(10000, 'x');
    addModem("0000", {{"FriendlyName", overlong}, {"AttachedTo", overlong}});
    setText(settingsKey("0000"), "AcceptSequence", overlong);
    setText(settingsKey("0000"), "RejectSequence", std::string(MODEM_TEXT_SIZE, '#'));

    ModemRecord modem = findModem("0000");
    const std::string cut(MODEM_TEXT_SIZE - 1, 'x');
    EXPECT_EQ(cut, modem.name);
    EXPECT_EQ(cut, modem.description);
    EXPECT_EQ(cut, modem.acceptSequence);
    EXPECT_EQ(std::string(MODEM_TEXT_SIZE - 1, '#'), modem.rejectSequence);
    EXPECT_STREQ("0000", modem.libraryText1);
    EXPECT_STREQ("", modem.resumeSequence);
}

TEST_F(ModemRegistryTest, TextsEndAtTheirFirstNulOrTheirData)
{
    addModem("0000", {});
    const char embedded[] = {'A', 'b', '\0', 'c', 'd'};
    const char unterminated[] = {'C', 'O', 'M', '5'};
    setValue(modemKey("0000"), "FriendlyName", REG_SZ, embedded, sizeof embedded);
    setValue(modemKey("0000"), "AttachedTo", REG_SZ, unterminated, sizeof unterminated);
    setValue(settingsKey("0000"), "AcceptSequence", REG_SZ, unterminated, 2);
    setValue(settingsKey("0000"), "ResumeSequence", REG_SZ, unterminated, 0);

    ModemRecord modem = findModem("0000");
    EXPECT_STREQ("Ab", modem.name);
    EXPECT_STREQ("COM5", modem.description);
    EXPECT_STREQ("CO", modem.acceptSequence);
    EXPECT_STREQ("", modem.resumeSequence);
}

// Run under a double-byte ANSI code page by its own test entry.
TEST_F(ModemRegistryTest, OverlongNamesAreCutAfterAWholeCharacterOfTheAnsiCodePage)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs ANSI code page 932";
    const std::string fits(MODEM_TEXT_SIZE - 2, 'a');
    addModem("0000", {{"FriendlyName", fits + "\x82\xA0"}, {"AttachedTo", fits + "b\x82\xA0"}});

    ModemRecord modem = findModem("0000");
    EXPECT_EQ(fits, modem.name);
    EXPECT_EQ(fits + "b", modem.description);
}
