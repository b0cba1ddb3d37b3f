#include "BurstWrites.h"
#include "TestRegistry.h"

#include <set>
#include <stdexcept>

namespace {

PROCESS_INFORMATION startBurstWriter()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string writer(path, length);
    writer = writer.substr(0, writer.find_last_of('\\') + 1) + "burst_writer.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(writer.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        throw std::runtime_error("cannot start " + writer + ": " + std::to_string(GetLastError()));
    return process;
}

} // namespace

TEST_F(ModemRegistryTest, AWriterKilledMidBurstLeavesOnlyValuesItWrote)
{
    addModem("0000", {{"DriverDesc", "Modem 0"}});
    addModem("0001", {{"DriverDesc", "Modem 1"}});
    std::set<std::string> written = {storedDword(0), storedDword(1)};
    for (const char *sequence : kBurstSequences)
        written.insert(storedText(sequence));

    for (DWORD killAfter = 0; killAfter < 50; killAfter += 10) {
        deleteKey(settingsKey("0000"));
        PROCESS_INFORMATION writer = startBurstWriter();
        for (int wait = 0; wait < 1000 && valuesOf(settingsKey("0000")).size() < 4; ++wait)
            Sleep(10);
        Sleep(killAfter);
        TerminateProcess(writer.hProcess, 9);
        WaitForSingleObject(writer.hProcess, INFINITE);
        CloseHandle(writer.hProcess);
        CloseHandle(writer.hThread);

        const auto values = valuesOf(settingsKey("0000"));
        EXPECT_EQ(4u, values.size()) << killAfter;
        for (const auto &value : values)
            EXPECT_TRUE(written.count(value.second)) << value.first << " after " << killAfter;
        EXPECT_EQ(2u, enumerateAll().size()) << killAfter;
    }
}
