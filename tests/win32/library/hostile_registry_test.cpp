// Enumeration and every write against registry content that no installer
// would leave, drawn at random from a fixed seed.
#include "ModemRegistryTest.h"
#include "RegistryLayout.h"
#include "SwitchHookSequences.h"

#include <algorithm>
#include <cstring>
#include <random>

namespace {

const unsigned kSeed = 20261208;
const int kRounds = 300;

const char *const kKeyNames[] = {"0000", "0001", "0042", "9999",
                                 "Properties", "000", "00000", "0x1"};
const char *const kModemValues[] = {"FriendlyName", "DriverDesc", "AttachedTo"};
const char *const kSettingValues[] = {"MohEnabled", "AcceptSequence", "ResumeSequence",
                                      "RejectSequence"};
const DWORD kTypes[] = {REG_SZ, REG_SZ, REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_BINARY,
                        REG_DWORD, REG_QWORD, REG_NONE};
const size_t kLengths[] = {0, 1, 2, 4, 5, 8, 255, 256, 300, 5000};
const char kAlphabet[] = "0123456789*#0123456789*#A \x82\xFF";

// Modem-on-hold on and off, then each sequence (the settings write test
// checks which value each write stores).
struct Write {
    const char *value;
    SwitchHookSequence sequence; // kSwitchHookSequenceCount for modem-on-hold
    DWORD enabled;
};
const Write kWrites[] = {{kMohEnabledValue, kSwitchHookSequenceCount, 1},
                         {kMohEnabledValue, kSwitchHookSequenceCount, 0},
                         {kSequenceValues[kAcceptSequence], kAcceptSequence, 0},
                         {kSequenceValues[kResumeSequence], kResumeSequence, 0},
                         {kSequenceValues[kRejectSequence], kRejectSequence, 0}};

int perform(const Write &write, ModemRecord *record)
{
    if (write.sequence == kSwitchHookSequenceCount)
        return write.enabled ? enableMOH(record) : disableMOH(record);
    return writeSwitchHook(write.sequence, record);
}

// A record between canaries, which a write beyond its fields would change.
struct GuardedRecord {
    unsigned char before[64];
    ModemRecord record;
    unsigned char after[64];
};

class HostileRegistry {
public:
    template <typename T, size_t N> const T &pick(const T (&choices)[N])
    {
        return choices[random_() % N];
    }

    // Keypad characters mostly, with letters, double-byte lead bytes and
    // now and then a NUL.
    std::string text(size_t length)
    {
        std::string text;
        for (size_t i = 0; i < length; ++i)
            text += kAlphabet[random_() % (sizeof kAlphabet - 1)];
        if (length && random_() % 4 == 0)
            text[random_() % length] = '\0';
        return text;
    }

    void fill(const std::string &key, const char *value)
    {
        if (random_() % 4 == 0)
            return; // missing
        std::string data = text(pick(kLengths));
        setValue(key, value, pick(kTypes), data.data(), static_cast<DWORD>(data.size()));
    }

    void spoil(char (&field)[MODEM_TEXT_SIZE])
    {
        std::string data = text(pick(kLengths));
        std::memcpy(field, data.data(), std::min(data.size(), sizeof field));
        if (random_() % 2 && data.size() < sizeof field)
            field[data.size()] = '\0';
    }

private:
    std::mt19937 random_{kSeed};
};

bool isKeypadSequence(const char (&field)[MODEM_TEXT_SIZE])
{
    size_t length = strnlen(field, sizeof field);
    return length <= 4 && std::strspn(field, "0123456789*#") == length;
}

void expectCanaries(const GuardedRecord &guarded)
{
    for (size_t i = 0; i < sizeof guarded.before; ++i)
        ASSERT_TRUE(guarded.before[i] == 0xA5 && guarded.after[i] == 0xA5) << "canary " << i;
}

void expectTextsTerminated(const ModemRecord &record)
{
    for (const char *field : {record.name, record.description, record.libraryText1,
                              record.libraryText2, record.acceptSequence, record.resumeSequence,
                              record.rejectSequence})
        EXPECT_TRUE(std::memchr(field, '\0', MODEM_TEXT_SIZE)) << "unterminated";
}

void writeEverything(HostileRegistry &hostile, GuardedRecord &guarded)
{
    ModemRecord &record = guarded.record;
    const std::string settings = settingsKey(record.libraryText1);
    for (const Write &write : kWrites) {
        char(*sequence)[MODEM_TEXT_SIZE] =
            write.sequence == kSwitchHookSequenceCount ? nullptr : &(record.*kSequenceFields[write.sequence]);
        if (sequence)
            hostile.spoil(*sequence);
        const ModemRecord before = record;
        std::map<std::string, std::string> expected = valuesOf(settings);
        bool valid = !sequence || isKeypadSequence(*sequence);
        int result = perform(write, &record);
        expectCanaries(guarded);
        EXPECT_EQ(valid, result == 0) << write.value;
        if (result == 0)
            expected[write.value] = sequence ? storedText(*sequence) : storedDword(write.enabled);
        else
            EXPECT_EQ(0, std::memcmp(&before, &record, sizeof record)) << write.value;
        EXPECT_EQ(expected, valuesOf(settings)) << write.value;
    }
}

} // namespace

TEST_F(ModemRegistryTest, HostileContentNeitherOverflowsAFieldNorIsStored)
{
    HostileRegistry hostile;
    for (int round = 0; round < kRounds && !HasFailure(); ++round) {
        SCOPED_TRACE("seed " + std::to_string(kSeed) + ", round " + std::to_string(round));
        clearModems();
        for (int key = hostile.pick({1, 2, 3}); key > 0; --key) {
            const char *name = hostile.pick(kKeyNames);
            addModem(name, {});
            for (const char *value : kModemValues)
                hostile.fill(modemKey(name), value);
            for (const char *value : kSettingValues)
                hostile.fill(settingsKey(name), value);
        }

        GuardedRecord guarded;
        std::memset(&guarded, 0xA5, sizeof guarded);
        int32_t cursor = 0;
        for (int found = 0; enumOstvModem(&guarded.record, &cursor) == 0; ++found) {
            ASSERT_LT(found, 3);
            EXPECT_EQ(0, CheckSerialModem(&guarded.record));
            expectCanaries(guarded);
            expectTextsTerminated(guarded.record);
            writeEverything(hostile, guarded);
        }
    }
}
