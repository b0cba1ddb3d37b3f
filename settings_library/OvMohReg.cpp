// The reading half of the library: enumeration of the installed modems with
// their stored settings, and the check of their ports.
#include "OvMohReg.h"
#include "RegistryKey.h"
#include "RegistryLayout.h"
#include "SwitchHookSequences.h"
#include "TextField.h"

#include <cstring>

namespace {

const char kNotPresent[] = " (not present)";

// No walk over a key's entries goes further: keys are rebuilt and deleted
// while we walk them, and a walk must end whatever they do.
const int32_t kMostEntriesWalked = 1 << 20;

static_assert(OVMOH_NO_FURTHER_MODEM == ERROR_NO_MORE_ITEMS, "the header's number is Windows' own");

// The end of the modems, told apart from a failure to read them: a class key
// that is missing, or deleted while it is walked, holds no modem.
int endOfModems(LONG status)
{
    if (status == ERROR_NO_MORE_ITEMS || status == ERROR_FILE_NOT_FOUND || status == ERROR_KEY_DELETED)
        return OVMOH_NO_FURTHER_MODEM;
    return static_cast<int>(status);
}

void readSettings(const char *instanceName, ModemRecord &record)
{
    RegistryKey settings;
    char path[kInstancePathSize];
    if (settings.open(HKEY_LOCAL_MACHINE, instancePath(path, kSettingsPath, instanceName),
                      KEY_QUERY_VALUE)
        != ERROR_SUCCESS)
        return;
    DWORD enabled = 0;
    record.mohEnabled = settings.readDword(kMohEnabledValue, enabled) == ERROR_SUCCESS && enabled != 0;
    // Shown as stored, even if no program of ours would have stored it.
    for (int sequence = 0; sequence < kSwitchHookSequenceCount; ++sequence)
        settings.readText(kSequenceValues[sequence], record.*kSequenceFields[sequence], MODEM_TEXT_SIZE);
}

// Fills record from the instance key; false when that key has gone meanwhile.
bool readModem(HKEY modemClass, const char *instanceName, ModemRecord &record)
{
    RegistryKey instance;
    if (instance.open(modemClass, instanceName, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return false;
    ModemRecord found = {};
    if (instance.readText(kFriendlyNameValue, found.name, MODEM_TEXT_SIZE) != ERROR_SUCCESS
        || !found.name[0])
        instance.readText(kDriverDescValue, found.name, MODEM_TEXT_SIZE);
    instance.readText(kAttachedToValue, found.description, MODEM_TEXT_SIZE);
    copyToField(found.libraryText1, MODEM_TEXT_SIZE, instanceName, std::strlen(instanceName));
    found.libraryCode = std::atoi(instanceName);
    found.libraryWord = kFilledByEnumeration;
    readSettings(instanceName, found);
    record = found;
    return true;
}

// Hands visit each port of the serial port map, in the map's order, until
// visit returns false or the walk fails: a map deleted meanwhile fails every
// call, which ends the walk.
template <typename Visit> void walkSerialPorts(Visit visit)
{
    RegistryKey serialPorts;
    if (serialPorts.open(HKEY_LOCAL_MACHINE, kSerialPortsPath, KEY_QUERY_VALUE)
        != ERROR_SUCCESS)
        return;
    // Room for the longest value name the registry allows.
    char valueName[16384];
    for (int32_t index = 0; index < kMostEntriesWalked; ++index) {
        // Name and port in one request.
        DWORD type = 0;
        char port[RegistryKey::kTextReadAtOnce + 1];
        DWORD size = RegistryKey::kTextReadAtOnce;
        LONG status = serialPorts.enumValue(static_cast<DWORD>(index), valueName, sizeof valueName,
                                            type, port, size);
        if (status == ERROR_MORE_DATA) {
            // A port too long for the buffer: read on its own, cut to fit.
            status = serialPorts.readText(valueName, port, sizeof port);
        } else if (status == ERROR_SUCCESS) {
            port[size] = '\0';
            if (type != REG_SZ)
                status = ERROR_INVALID_DATA;
        } else {
            return;
        }
        if (status == ERROR_SUCCESS && !visit(port))
            return;
    }
}

// The serial ports as one walk of the map found them, for every check of an
// enumeration: texts one after another, each NUL-terminated, on the heap.
class PortList {
public:
    PortList() = default;
    ~PortList() { forget(); }
    PortList(const PortList &) = delete;
    PortList &operator=(const PortList &) = delete;

    // Walks the map; false, keeping nothing, when memory for it is lacking.
    bool read();
    bool isRead() const { return texts_ != nullptr; }
    bool contains(const char *port) const;
    void forget();

private:
    bool keep(const char *port);

    char *texts_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

bool PortList::read()
{
    forget();
    capacity_ = 1024;
    texts_ = static_cast<char *>(HeapAlloc(GetProcessHeap(), 0, capacity_));
    bool kept = texts_ != nullptr;
    if (kept)
        walkSerialPorts([&](const char *port) { return kept = keep(port); });
    if (!kept)
        forget();
    return kept;
}

bool PortList::keep(const char *port)
{
    const size_t size = std::strlen(port) + 1;
    // A description is shorter than this, so no description equals such a port.
    if (size > MODEM_TEXT_SIZE)
        return true;
    if (size_ + size > capacity_) {
        void *grown = HeapReAlloc(GetProcessHeap(), 0, texts_, 2 * capacity_);
        if (!grown)
            return false;
        texts_ = static_cast<char *>(grown);
        capacity_ *= 2;
    }
    std::memcpy(texts_ + size_, port, size);
    size_ += size;
    return true;
}

bool PortList::contains(const char *port) const
{
    for (size_t at = 0; at < size_; at += std::strlen(texts_ + at) + 1)
        if (_stricmp(texts_ + at, port) == 0)
            return true;
    return false;
}

void PortList::forget()
{
    if (texts_)
        HeapFree(GetProcessHeap(), 0, texts_);
    texts_ = nullptr;
    size_ = capacity_ = 0;
}

// What an enumeration keeps between calls, as OvMohReg.h tells, taken only
// under keptLock. The destructors release it as the library unloads: the
// DLL's start-up code runs them at DLL_PROCESS_DETACH.
SRWLOCK keptLock = SRWLOCK_INIT;
RegistryKey keptModemClass;
PortList keptPorts;
bool enumerationStarted = false;

class KeptLock {
public:
    KeptLock() { AcquireSRWLockExclusive(&keptLock); }
    ~KeptLock() { ReleaseSRWLockExclusive(&keptLock); }
    KeptLock(const KeptLock &) = delete;
    KeptLock &operator=(const KeptLock &) = delete;
};

bool serialPortPresent(const char *port)
{
    // Read once for all the checks of an enumeration; before any enumeration,
    // or short of memory, a walk for this port alone.
    KeptLock lock;
    if (enumerationStarted && (keptPorts.isRead() || keptPorts.read()))
        return keptPorts.contains(port);
    bool present = false;
    walkSerialPorts([&](const char *known) { return !(present = _stricmp(known, port) == 0); });
    return present;
}

// The next modem from cursor on, in the kept modem class.
int nextModem(ModemRecord &record, int32_t &cursor)
{
    // The cursor is the enumeration index: it counts the subkeys passed,
    // those that are no modem (such as "Properties") included.
    for (int32_t index = cursor; index < kMostEntriesWalked; ++index) {
        // The names as stored: the ANSI ones would show other digits, such
        // as full-width ones, as ASCII digits.
        const DWORD nameSize = kInstanceNameLength + 2;
        wchar_t storedName[nameSize];
        LONG status = keptModemClass.enumSubkeyName(static_cast<DWORD>(index), storedName, nameSize);
        if (status == ERROR_MORE_DATA)
            continue; // a name longer than any instance key's
        if (status != ERROR_SUCCESS)
            return endOfModems(status);
        if (!isInstanceKeyName(storedName))
            continue;
        char keyName[kInstanceNameLength + 1];
        for (int i = 0; i <= kInstanceNameLength; ++i)
            keyName[i] = static_cast<char>(storedName[i]);
        if (readModem(keptModemClass.handle(), keyName, record)) {
            cursor = index + 1;
            return 0;
        }
    }
    return OVMOH_NO_FURTHER_MODEM;
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
    KeptLock lock;
    if (*cursor == 0) {
        // A new enumeration: the modems and the ports are read afresh.
        keptModemClass.close();
        keptPorts.forget();
        enumerationStarted = true;
    }
    if (!keptModemClass.handle())
        if (LONG status = keptModemClass.open(HKEY_LOCAL_MACHINE, kModemClassPath, KEY_ENUMERATE_SUB_KEYS))
            return endOfModems(status);
    const int result = nextModem(*record, *cursor);
    if (result != 0)
        keptModemClass.close(); // the enumeration is over
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
    if (!port[0] || endsWith(port, kNotPresent) || serialPortPresent(port))
        return 0;
    size_t length = std::strlen(port);
    copyToField(record->description + length, MODEM_TEXT_SIZE - length, kNotPresent,
                std::strlen(kNotPresent));
    return 0;
}
