// Modems installed, removed or made anew while an enumeration runs: the
// enumeration then never ends as if it had listed them all.
#include "ModemRegistryTest.h"
#include "RegistryLayout.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Modems named "0000" upwards from first, each with its own description.
void addModems(int first, int count)
{
    for (int number = first; number < first + count; ++number) {
        char instance[8];
        std::snprintf(instance, sizeof instance, "%04d", number);
        addModem(instance, {{"DriverDesc", std::string("Modem ") + instance}});
    }
}

// One enumeration, read in two parts: `before` modems, then what changes
// does, then the rest until a call returns non-zero, which is returned.
int enumerateAround(int before, void (*change)(), std::vector<std::string> &listed)
{
    ModemRecord record = {};
    int32_t cursor = 0;
    int result = 0;
    for (int read = 0; result == 0; ++read) {
        if (read == before)
            change();
        result = enumOstvModem(&record, &cursor);
        if (result == 0)
            listed.push_back(record.libraryText1);
    }
    return result;
}

const std::vector<std::string> kFiveModems = {"0000", "0001", "0002", "0003", "0004"};

std::vector<std::string> instancesOf(const std::vector<ModemRecord> &modems)
{
    std::vector<std::string> instances;
    for (const ModemRecord &modem : modems)
        instances.push_back(modem.libraryText1);
    return instances;
}

} // namespace

// Two of five read, the class key deleted and made again with the same five.
TEST_F(ModemRegistryTest, AModemClassMadeAnewDuringAnEnumerationEndsItWithTheChange)
{
    addModems(0, 5);
    std::vector<std::string> listed;
    const int result = enumerateAround(2, [] {
        deleteKey(kModemClassPath);
        addModems(0, 5);
    }, listed);
    EXPECT_EQ(OVMOH_MODEMS_CHANGED, result) << listed.size() << " modems listed";
    EXPECT_EQ(kFiveModems, instancesOf(enumerateAll())) << "the next enumeration lists them all";
}

TEST_F(ModemRegistryTest, AModemClassDeletedDuringAnEnumerationEndsItWithTheChange)
{
    addModems(0, 5);
    std::vector<std::string> listed;
    EXPECT_EQ(OVMOH_MODEMS_CHANGED, enumerateAround(2, [] { deleteKey(kModemClassPath); }, listed));
    EXPECT_TRUE(enumerateAll().empty());
}

// The cursor counts subkeys: removing a modem that was read would skip one
// that was not, adding one before the cursor would list one twice.
TEST_F(ModemRegistryTest, AModemRemovedDuringAnEnumerationEndsItWithTheChange)
{
    addModems(0, 5);
    std::vector<std::string> listed;
    EXPECT_EQ(OVMOH_MODEMS_CHANGED, enumerateAround(2, [] { deleteKey(modemKey("0000")); }, listed));
    EXPECT_EQ((std::vector<std::string>{"0001", "0002", "0003", "0004"}), instancesOf(enumerateAll()));
}

TEST_F(ModemRegistryTest, AModemAddedDuringAnEnumerationEndsItWithTheChange)
{
    addModems(1, 4);
    std::vector<std::string> listed;
    EXPECT_EQ(OVMOH_MODEMS_CHANGED, enumerateAround(2, [] { addModems(0, 1); }, listed));
    EXPECT_EQ(kFiveModems, instancesOf(enumerateAll()));
}

TEST_F(ModemRegistryTest, AModemReplacedDuringAnEnumerationEndsItWithTheChange)
{
    addModems(0, 5);
    std::vector<std::string> listed;
    EXPECT_EQ(OVMOH_MODEMS_CHANGED, enumerateAround(3, [] {
        deleteKey(modemKey("0001"));
        addModems(9, 1);
    }, listed));
}

// What changes inside a modem's keys, its values or its settings, is no
// change of the modems: the enumeration reads what it finds.
TEST_F(ModemRegistryTest, SettingsStoredDuringAnEnumerationLeaveItWhole)
{
    addModems(0, 5);
    std::vector<std::string> listed;
    EXPECT_EQ(OVMOH_NO_FURTHER_MODEM, enumerateAround(2, [] {
        ModemRecord first = findModem("0000");
        ASSERT_EQ(0, enableMOH(&first));
        setText(modemKey("0003"), "FriendlyName", "Renamed");
        setText(settingsKey("0004"), "AcceptSequence", "1");
    }, listed));
    EXPECT_EQ(kFiveModems, listed);
}
