// The writing half of the library: each call stores one setting of a modem
// that enumeration found, and refuses anything else untouched.
#include "OvMohReg.h"
#include "RegistryKey.h"
#include "RegistryLayout.h"
#include "SwitchHookSequences.h"

#include <cstring>

namespace {

bool isKeypadSequence(const char (&field)[MODEM_TEXT_SIZE])
{
    return std::memchr(field, '\0', OVMOH_SEQUENCE_MAX_LENGTH + 1)
        && std::strspn(field, OVMOH_KEYPAD_CHARACTERS) == std::strlen(field);
}

// A modem removed since enumeration gets no settings stored.
LONG checkStillInstalled(const ModemRecord &record)
{
    RegistryKey instance;
    char path[kInstancePathSize];
    return instance.open(HKEY_LOCAL_MACHINE,
                         instancePath(path, kModemClassPath, record.libraryText1),
                         KEY_QUERY_VALUE);
}

// Writes this one value only, so that two instances of the program changing
// different settings of a modem never undo each other.
LONG storeValue(const ModemRecord &record, const char *valueName, DWORD type, const void *data,
                DWORD size)
{
    if (LONG status = checkStillInstalled(record))
        return status;
    RegistryKey settings;
    char path[kInstancePathSize];
    if (LONG status = settings.create(HKEY_LOCAL_MACHINE,
                                      instancePath(path, kSettingsPath, record.libraryText1),
                                      KEY_SET_VALUE))
        return status;
    return settings.setValue(valueName, type, data, size);
}

int storeMohEnabled(ModemRecord *record, DWORD enabled)
{
    LONG status = checkFromEnumeration(record);
    if (status == ERROR_SUCCESS)
        status = storeValue(*record, kMohEnabledValue, REG_DWORD, &enabled, sizeof enabled);
    if (status == ERROR_SUCCESS)
        record->mohEnabled = static_cast<int32_t>(enabled);
    return static_cast<int>(status);
}

int storeSequence(ModemRecord *record, SwitchHookSequence which)
{
    if (LONG status = checkFromEnumeration(record))
        return static_cast<int>(status);
    const char(&sequence)[MODEM_TEXT_SIZE] = record->*kSequenceFields[which];
    if (!isKeypadSequence(sequence))
        return ERROR_INVALID_DATA;
    return static_cast<int>(storeValue(*record, kSequenceValues[which], REG_SZ, sequence,
                                       static_cast<DWORD>(std::strlen(sequence) + 1)));
}

} // namespace

int OVMOHREG_API enableMOH(ModemRecord *record)
{
    return storeMohEnabled(record, 1);
}

int OVMOHREG_API disableMOH(ModemRecord *record)
{
    return storeMohEnabled(record, 0);
}

int OVMOHREG_API writeSwitchHookAccept(ModemRecord *record)
{
    return storeSequence(record, kAcceptSequence);
}

int OVMOHREG_API writeSwitchHookResume(ModemRecord *record)
{
    return storeSequence(record, kResumeSequence);
}

int OVMOHREG_API writeSwitchHookReject(ModemRecord *record)
{
    return storeSequence(record, kRejectSequence);
}
