#include "PortList.h"

#include "RegistryKey.h"
#include "RegistryLayout.h"

#include <cstring>

namespace {

// No walk over a key's entries goes further: keys are rebuilt and deleted
// while we walk them, and a walk must end whatever they do.
const int32_t kMostEntriesWalked = 1 << 20;

// How long the map must have been left alone for its stamp to tell every
// later change: far more than a tick of the registry's clock.
const ULONGLONG kSettledAfter = 100 * 10000; // 100 ms in FILETIME units

ULONGLONG ticksOf(const FILETIME &time)
{
    return static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

} // namespace

LONG PortList::read()
{
    forget();
    texts_ = static_cast<char *>(HeapAlloc(GetProcessHeap(), 0, 1024));
    if (!texts_)
        return ERROR_NOT_ENOUGH_MEMORY;
    capacity_ = 1024;
    const LONG status = walk();
    if (status != ERROR_SUCCESS)
        forget();
    return status;
}

LONG PortList::stampOfMap(KeyStamp &stamp)
{
    RegistryKey map;
    const LONG status = map.open(HKEY_LOCAL_MACHINE, kSerialPortsPath, KEY_QUERY_VALUE);
    return status == ERROR_SUCCESS ? map.stamp(stamp) : status;
}

LONG PortList::walk()
{
    FILETIME begun;
    GetSystemTimeAsFileTime(&begun);
    RegistryKey map;
    LONG status = map.open(HKEY_LOCAL_MACHINE, kSerialPortsPath, KEY_QUERY_VALUE);
    if (status == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    // Windows rebuilds the map as serial devices come and go: a port that
    // was passed over meanwhile must not be taken for one gone.
    KeyStamp atStart = {};
    if (status == ERROR_SUCCESS)
        status = map.stamp(atStart);
    // Room for the longest value name the registry allows.
    char valueName[16384];
    for (DWORD index = 0; status == ERROR_SUCCESS; ++index)
        status = index < static_cast<DWORD>(kMostEntriesWalked)
            ? keepEntry(map, index, valueName, sizeof valueName)
            : OVMOH_MODEMS_CHANGED; // growing faster than it is walked
    if (status != ERROR_NO_MORE_ITEMS) // an entry gone while read is a change too
        return status == ERROR_FILE_NOT_FOUND ? OVMOH_MODEMS_CHANGED : status;
    KeyStamp atEnd = {};
    status = map.stamp(atEnd);
    if (status == ERROR_SUCCESS && atEnd != atStart)
        return OVMOH_MODEMS_CHANGED;
    stamp_ = atStart;
    settled_ = ticksOf(begun) > ticksOf(atStart.lastWrite) + kSettledAfter;
    return status;
}

// Keeps the port of the map's entry at index: ERROR_NO_MORE_ITEMS past the
// last. An entry that holds no text is passed over.
LONG PortList::keepEntry(const RegistryKey &map, DWORD index, char *name, DWORD nameSize)
{
    // Name and port in one request.
    DWORD type = 0;
    char port[RegistryKey::kTextReadAtOnce + 1];
    DWORD size = RegistryKey::kTextReadAtOnce;
    LONG status = map.enumValue(index, name, nameSize, type, port, size);
    if (status == ERROR_MORE_DATA) {
        // A port too long for the buffer, read on its own and cut to fit:
        // the registry names it only when asked for no data with it.
        status = map.enumValue(index, name, nameSize, type, nullptr, size);
        if (status == ERROR_SUCCESS)
            status = map.readText(name, port, sizeof port);
    } else if (status == ERROR_SUCCESS) {
        port[size] = '\0';
        if (type != REG_SZ)
            status = ERROR_INVALID_DATA;
    }
    if (status == ERROR_INVALID_DATA)
        return ERROR_SUCCESS;
    return status == ERROR_SUCCESS ? keep(port) : status;
}

LONG PortList::keep(const char *port)
{
    const size_t size = std::strlen(port) + 1;
    // A description is shorter than this, so no description equals such a port.
    if (size > MODEM_TEXT_SIZE)
        return ERROR_SUCCESS;
    if (size_ + size > capacity_) {
        void *grown = HeapReAlloc(GetProcessHeap(), 0, texts_, 2 * capacity_);
        if (!grown)
            return ERROR_NOT_ENOUGH_MEMORY;
        texts_ = static_cast<char *>(grown);
        capacity_ *= 2;
    }
    std::memcpy(texts_ + size_, port, size);
    size_ += size;
    return ERROR_SUCCESS;
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
    settled_ = false;
}

void PortList::swap(PortList &other)
{
    PortList held = *this;
    *this = other;
    other = held;
}
