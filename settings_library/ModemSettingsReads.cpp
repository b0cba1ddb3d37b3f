// The reading half of the library: enumeration of the installed modems with
// their stored settings, and the check of their ports.
#include "KeptPorts.h"
#include "OvMohReg.h"
#include "RegistryKey.h"
#include "RegistryLayout.h"
#include "SwitchHookSequences.h"
#include "TextField.h"

#include <cstring>

namespace {

const char kNotPresent[] = " (not present)";

// The cursor: the index of the next subkey of the modem class to look at,
// below kCursorIndexBits, and above them, up to the sign bit, a digest of the
// class's stamp at the enumeration's start, which its end is compared with.
// The caller keeps it, so every enumeration keeps its own start, however many
// others start meanwhile and whether or not the library was loaded again.
const int kCursorIndexBits = 15; // more subkeys than 10,000 instance keys and others
const int32_t kCursorIndexMask = (1 << kCursorIndexBits) - 1;
const int kStampDigestBits = 31 - kCursorIndexBits;

// Spreads every bit of the stamp over the digest: stamps that differ in
// any way share a digest once in 2^kStampDigestBits.
uint64_t mixed(uint64_t bits)
{
    bits = (bits ^ (bits >> 30)) * 0xBF58476D1CE4E5B9u;
    bits = (bits ^ (bits >> 27)) * 0x94D049BB133111EBu;
    return bits ^ (bits >> 31);
}

int32_t digestOf(const KeyStamp &stamp)
{
    uint64_t bits = mixed(static_cast<uint64_t>(stamp.lastWrite.dwHighDateTime) << 32
                          | stamp.lastWrite.dwLowDateTime);
    bits = mixed(bits ^ (static_cast<uint64_t>(stamp.subkeys) << 32 | stamp.values));
    return static_cast<int32_t>(bits >> (64 - kStampDigestBits));
}

static_assert(OVMOH_NO_FURTHER_MODEM == ERROR_NO_MORE_ITEMS, "the header's number is Windows' own");
static_assert(OVMOH_MODEMS_CHANGED == ERROR_RETRY, "the header's number is Windows' own");

// A key deleted while it is read is a change of the modems, as is a modem
// installed or removed: the caller reads them again.
int changedIfDeleted(LONG status)
{
    return status == ERROR_KEY_DELETED ? OVMOH_MODEMS_CHANGED : static_cast<int>(status);
}

// Absent: a key or value not stored, or a value of a type or size that no
// installer stores, which reads as not stored. Any other failure of a read
// is returned, never passed off as a value not stored.
bool isAbsent(LONG status)
{
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_INVALID_DATA;
}

LONG unlessAbsent(LONG status)
{
    return isAbsent(status) ? ERROR_SUCCESS : status;
}

// The modem's settings into record; none stored is modem-on-hold off and
// no sequences.
LONG readSettings(const char *instanceName, ModemRecord &record)
{
    RegistryKey settings;
    char path[kInstancePathSize];
    LONG status = settings.open(HKEY_LOCAL_MACHINE, instancePath(path, kSettingsPath, instanceName),
                                KEY_QUERY_VALUE);
    if (status != ERROR_SUCCESS)
        return unlessAbsent(status);
    DWORD enabled = 0;
    status = unlessAbsent(settings.readDword(kMohEnabledValue, enabled));
    record.mohEnabled = enabled != 0;
    // Shown as stored, even if no program of ours would have stored it.
    for (int sequence = 0; status == ERROR_SUCCESS && sequence < kSwitchHookSequenceCount; ++sequence)
        status = unlessAbsent(settings.readText(kSequenceValues[sequence], record.*kSequenceFields[sequence],
                                                MODEM_TEXT_SIZE));
    return status;
}

// Fills record from the instance key and the modem's settings. Its key
// removed since the walk named it is a change of the modems.
LONG readModem(HKEY modemClass, const char *instanceName, ModemRecord &record)
{
    RegistryKey instance;
    LONG status = instance.open(modemClass, instanceName, KEY_QUERY_VALUE);
    if (status != ERROR_SUCCESS)
        return status == ERROR_FILE_NOT_FOUND ? OVMOH_MODEMS_CHANGED : status;
    ModemRecord found = {};
    // The friendly name, or the driver's description where none is stored.
    status = instance.readText(kFriendlyNameValue, found.name, MODEM_TEXT_SIZE);
    if (isAbsent(status) || (status == ERROR_SUCCESS && !found.name[0]))
        status = unlessAbsent(instance.readText(kDriverDescValue, found.name, MODEM_TEXT_SIZE));
    if (status == ERROR_SUCCESS)
        status = unlessAbsent(instance.readText(kAttachedToValue, found.description, MODEM_TEXT_SIZE));
    if (status == ERROR_SUCCESS)
        status = readSettings(instanceName, found);
    if (status != ERROR_SUCCESS)
        return status;
    copyToField(found.libraryText1, MODEM_TEXT_SIZE, instanceName, std::strlen(instanceName));
    found.libraryCode = std::atoi(instanceName);
    found.libraryWord = kFilledByEnumeration;
    record = found;
    return ERROR_SUCCESS;
}

// The end of the modems: OVMOH_MODEMS_CHANGED unless the class is as the
// enumeration found it at its start, by the digest of its stamp then.
int endOfModems(const RegistryKey &modemClass, int32_t startDigest)
{
    KeyStamp now;
    if (LONG status = modemClass.stamp(now))
        return changedIfDeleted(status);
    return digestOf(now) == startDigest ? OVMOH_NO_FURTHER_MODEM : OVMOH_MODEMS_CHANGED;
}

// The next modem from index on in the modem class; index is then that of
// the subkey after it.
int nextModem(const RegistryKey &modemClass, ModemRecord &record, int32_t startDigest, int32_t &index)
{
    // The index counts the subkeys passed, those that are no modem (such as
    // "Properties") included; the one after the last modem fits the cursor.
    for (; index < kCursorIndexMask; ++index) {
        // The names as stored: the ANSI ones would show other digits, such
        // as full-width ones, as ASCII digits.
        const DWORD nameSize = kInstanceNameLength + 2;
        wchar_t storedName[nameSize];
        LONG status = modemClass.enumSubkeyName(static_cast<DWORD>(index), storedName, nameSize);
        if (status == ERROR_MORE_DATA)
            continue; // a name longer than any instance key's
        if (status == ERROR_NO_MORE_ITEMS)
            return endOfModems(modemClass, startDigest);
        if (status != ERROR_SUCCESS)
            return changedIfDeleted(status);
        if (!isInstanceKeyName(storedName))
            continue;
        char keyName[kInstanceNameLength + 1];
        for (int i = 0; i <= kInstanceNameLength; ++i)
            keyName[i] = static_cast<char>(storedName[i]);
        status = readModem(modemClass.handle(), keyName, record);
        if (status != ERROR_SUCCESS)
            return changedIfDeleted(status);
        ++index;
        return 0;
    }
    return ERROR_MORE_DATA; // more subkeys than any walk passes
}

bool endsWith(const char *text, const char *suffix)
{
    size_t textLength = std::strlen(text);
    size_t suffixLength = std::strlen(suffix);
    return textLength >= suffixLength
        && std::strcmp(text + textLength - suffixLength, suffix) == 0;
}

} // namespace

int OVMOHREG_API enumOstvModem(ModemRecord *record, int32_t *cursor)
{
    if (!record || !cursor || *cursor < 0)
        return ERROR_INVALID_PARAMETER;
    int32_t startDigest = *cursor >> kCursorIndexBits;
    int32_t index = *cursor & kCursorIndexMask;
    // Opened for each call: a key kept open between calls would have to be
    // closed at some point, under rules of its own, and spare two requests.
    RegistryKey modemClass;
    LONG status = modemClass.open(HKEY_LOCAL_MACHINE, kModemClassPath,
                                  KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
    if (*cursor == 0) {
        keptPorts.startEnumeration();
        KeyStamp found = {};
        if (status == ERROR_SUCCESS)
            status = modemClass.stamp(found);
        startDigest = digestOf(found);
    }
    if (status == ERROR_FILE_NOT_FOUND) // no modem class, no modems
        return *cursor == 0 ? OVMOH_NO_FURTHER_MODEM : OVMOH_MODEMS_CHANGED;
    if (status != ERROR_SUCCESS)
        return changedIfDeleted(status);
    const int result = nextModem(modemClass, *record, startDigest, index);
    if (result == 0)
        *cursor = startDigest << kCursorIndexBits | index;
    return result;
}

int OVMOHREG_API CheckSerialModem(ModemRecord *record)
{
    if (LONG status = checkFromEnumeration(record))
        return static_cast<int>(status);
    if (!std::memchr(record->description, '\0', MODEM_TEXT_SIZE))
        return ERROR_INVALID_PARAMETER;
    // The description is the port enumeration read; one already marked stays.
    const char *port = record->description;
    if (!port[0] || endsWith(port, kNotPresent))
        return 0;
    bool present = false;
    if (LONG status = keptPorts.findSerialPort(port, present))
        return changedIfDeleted(status); // a port not known to be there is not known to be gone
    if (present)
        return 0;
    size_t length = std::strlen(port);
    copyToField(record->description + length, MODEM_TEXT_SIZE - length, kNotPresent,
                std::strlen(kNotPresent));
    return 0;
}
