#include "BurstWrites.h"
#include "ModemRegistryTest.h"

#include <set>

TEST_F(ModemRegistryTest, AWriterKilledMidBurstLeavesOnlyValuesItWrote)
{
    addModem("0000", {{"DriverDesc", "Modem 0"}});
    addModem("0001", {{"DriverDesc", "Modem 1"}});
    std::set<std::string> written = {storedDword(0), storedDword(1)};
    for (const char *sequence : kBurstSequences)
        written.insert(storedText(sequence));

    for (DWORD killAfter = 0; killAfter < 50; killAfter += 10) {
        deleteKey(settingsKey("0000"));
        killBurstWriterMidway(killAfter);

        const auto values = valuesOf(settingsKey("0000"));
        EXPECT_EQ(4u, values.size()) << killAfter;
        for (const auto &value : values)
            EXPECT_TRUE(written.count(value.second)) << value.first << " after " << killAfter;
        EXPECT_EQ(2u, enumerateAll().size()) << killAfter;
    }
}
