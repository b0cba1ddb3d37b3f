// The reading half of the library: enumeration of the installed modems with
// their stored settings, and the check of their ports.
#include "OvMohReg.h"
#include "RegistryKey.h"
#include "RegistryLayout.h"
#include "SwitchHookSequences.h"
#include "TextField.h"

#include <cstring>
#include <type_traits>

namespace {

const char kNotPresent[] = " (not present)";

// No walk over a key's entries goes further: keys are rebuilt and deleted
// while we walk them, and a walk must end whatever they do.
const int32_t kMostEntriesWalked = 1 << 20;

// The cursor: the index of the next subkey of the modem class to look at,
// below kCursorIndexBits, and above them the number of its enumeration,
// which stays non-negative.
const int kCursorIndexBits = 20;
const int32_t kCursorIndexMask = (1 << kCursorIndexBits) - 1;
const uint32_t kEnumerationNumbers = 1u << (31 - kCursorIndexBits);

static_assert(OVMOH_NO_FURTHER_MODEM == ERROR_NO_MORE_ITEMS, "the header's number is Windows' own");
static_assert(OVMOH_MODEMS_CHANGED == ERROR_RETRY, "the header's number is Windows' own");

// A key deleted while it is read is a change of the modems, as is a modem
// installed or removed: the caller reads them again.
int changedIfDeleted(LONG status)
{
    return status == ERROR_KEY_DELETED ? OVMOH_MODEMS_CHANGED : static_cast<int>(status);
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

// Fills record from the instance key. Its key removed since the walk named
// it is a change of the modems.
LONG readModem(HKEY modemClass, const char *instanceName, ModemRecord &record)
{
    RegistryKey instance;
    if (LONG status = instance.open(modemClass, instanceName, KEY_QUERY_VALUE))
        return status == ERROR_FILE_NOT_FOUND ? OVMOH_MODEMS_CHANGED : status;
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
    return ERROR_SUCCESS;
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
// It has no destructor, so that the one kept needs nothing done at process
// exit: whoever reads one forgets it.
class PortList {
public:
    // Walks the map; false, keeping nothing, when memory for it is lacking.
    bool read();
    bool isRead() const { return texts_ != nullptr; }
    bool contains(const char *port) const;
    void forget();
    void swap(PortList &other);

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

void PortList::swap(PortList &other)
{
    PortList held = *this;
    *this = other;
    other = held;
}

// The modem class as an enumeration found it at its start, by the
// enumeration's number: its end compares the class with it. The last few
// starts are remembered, so that enumerations that interleave each compare
// with their own.
struct Start {
    uint32_t number;
    KeyStamp modemClass;
};
const uint32_t kRememberedStarts = 8;

// What the library keeps between calls, as OvMohReg.h tells: plain data,
// which needs nothing done at process exit (DllMain frees the port list
// when FreeLibrary unloads the library). Taken only under keptLock, which
// is held around nothing else, no registry call in particular.
SRWLOCK keptLock = SRWLOCK_INIT;
uint32_t latestEnumeration = 0; // the number of the one started last; 0 before any
Start starts[kRememberedStarts] = {};
PortList keptPorts; // of the enumeration started last, from its first check on
static_assert(std::is_trivially_destructible<PortList>::value && std::is_trivially_destructible<Start>::value,
              "nothing kept is released at process exit");

class KeptLock {
public:
    KeptLock() { AcquireSRWLockExclusive(&keptLock); }
    ~KeptLock() { ReleaseSRWLockExclusive(&keptLock); }
    KeptLock(const KeptLock &) = delete;
    KeptLock &operator=(const KeptLock &) = delete;
};

// A new enumeration, numbered 1 upwards: it remembers the modem class as
// found, and the ports are read afresh for its checks.
uint32_t startEnumeration(const KeyStamp &modemClass)
{
    KeptLock lock;
    keptPorts.forget();
    const uint32_t number = latestEnumeration = latestEnumeration % (kEnumerationNumbers - 1) + 1;
    starts[number % kRememberedStarts] = {number, modemClass};
    return number;
}

bool serialPortPresent(const char *port)
{
    // Read once for all the checks of an enumeration; before any enumeration,
    // or short of memory, a walk for this port alone.
    uint32_t enumeration = 0;
    {
        KeptLock lock;
        if (keptPorts.isRead())
            return keptPorts.contains(port);
        enumeration = latestEnumeration;
    }
    PortList ports;
    if (enumeration == 0 || !ports.read()) {
        bool present = false;
        walkSerialPorts([&](const char *known) { return !(present = _stricmp(known, port) == 0); });
        return present;
    }
    const bool present = ports.contains(port);
    {
        // Kept unless another check kept its own first, or another
        // enumeration started meanwhile.
        KeptLock lock;
        if (enumeration == latestEnumeration && !keptPorts.isRead())
            keptPorts.swap(ports);
    }
    ports.forget();
    return present;
}

// The end of the modems of enumeration number: OVMOH_MODEMS_CHANGED when
// the class is no longer as that enumeration found it at its start (or its
// start is no longer remembered: more enumerations started meanwhile).
int endOfModems(const RegistryKey &modemClass, uint32_t number)
{
    KeyStamp now;
    if (LONG status = modemClass.stamp(now))
        return changedIfDeleted(status);
    KeptLock lock;
    const Start &start = starts[number % kRememberedStarts];
    return start.number == number && start.modemClass == now ? OVMOH_NO_FURTHER_MODEM
                                                             : OVMOH_MODEMS_CHANGED;
}

// The next modem from index on in the modem class; index is then that of
// the subkey after it.
int nextModem(const RegistryKey &modemClass, ModemRecord &record, uint32_t number, int32_t &index)
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
            return endOfModems(modemClass, number);
        if (status != ERROR_SUCCESS)
            return changedIfDeleted(status);
        if (!isInstanceKeyName(storedName))
            continue;
        char keyName[kInstanceNameLength + 1];
        for (int i = 0; i <= kInstanceNameLength; ++i)
            keyName[i] = static_cast<char>(storedName[i]);
        status = readModem(modemClass.handle(), keyName, record);
        if (status == OVMOH_MODEMS_CHANGED || status == ERROR_KEY_DELETED)
            return changedIfDeleted(status);
        if (status == ERROR_SUCCESS) {
            ++index;
            return 0;
        }
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
    uint32_t number = static_cast<uint32_t>(*cursor) >> kCursorIndexBits;
    int32_t index = *cursor & kCursorIndexMask;
    // Opened for each call: a key kept open between calls would have to be
    // closed at some point, under rules of its own, and spare two requests.
    RegistryKey modemClass;
    LONG status = modemClass.open(HKEY_LOCAL_MACHINE, kModemClassPath,
                                  KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
    if (*cursor == 0) {
        KeyStamp found = {};
        if (status == ERROR_SUCCESS)
            status = modemClass.stamp(found);
        number = startEnumeration(found);
    }
    if (status == ERROR_FILE_NOT_FOUND) // no modem class, no modems
        return *cursor == 0 ? OVMOH_NO_FURTHER_MODEM : OVMOH_MODEMS_CHANGED;
    if (status != ERROR_SUCCESS)
        return changedIfDeleted(status);
    const int result = nextModem(modemClass, *record, number, index);
    if (result == 0)
        *cursor = static_cast<int32_t>(number << kCursorIndexBits) | index;
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

// The library's entry, called by the C run-time's own, which runs no
// destructor of ours: nothing kept has one. Unloaded by FreeLibrary
// (reserved null), the library frees what it keeps; at process exit it
// does nothing, as Windows advises, and the process's end frees it all.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_DETACH && !reserved)
        keptPorts.forget();
    return TRUE;
}
