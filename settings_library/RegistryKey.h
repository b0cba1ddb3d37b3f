// Registry access for the settings library, the one place that calls the
// registry API: a key handle that closes itself, reads that cope with
// whatever another program left in a value, writes, and walks over a key's
// entries. Its calls return a Windows error code, ERROR_SUCCESS when done.
#ifndef REGISTRYKEY_H
#define REGISTRYKEY_H

#include <windows.h>

#include <cstddef>

// What RegQueryInfoKey tells of a key: a subkey or a value added or removed,
// a value written, or the key deleted and made anew, changes it.
struct KeyStamp {
    DWORD subkeys;
    DWORD values;
    FILETIME lastWrite;

    bool operator==(const KeyStamp &other) const
    {
        return subkeys == other.subkeys && values == other.values
            && lastWrite.dwLowDateTime == other.lastWrite.dwLowDateTime
            && lastWrite.dwHighDateTime == other.lastWrite.dwHighDateTime;
    }
    bool operator!=(const KeyStamp &other) const { return !(*this == other); }
};

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey();
    RegistryKey(const RegistryKey &) = delete;
    RegistryKey &operator=(const RegistryKey &) = delete;

    // open and create close the key held before; a failure leaves none.
    LONG open(HKEY parent, const char *path, REGSAM access);
    // Opens the key, creating it and any missing parent when absent.
    LONG create(HKEY parent, const char *path, REGSAM access);
    // The parent to give open for a subkey of this key; null when none is held.
    HKEY handle() const { return handle_; }
    // Closes the key held, if any.
    void close();

    // Reads a REG_SZ value into a text field of fieldSize bytes, cut at its
    // first NUL and after the last whole character that fits. A value of
    // another type fails with ERROR_INVALID_DATA; any failure leaves "".
    LONG readText(const char *valueName, char *field, size_t fieldSize) const;
    // Reads a REG_DWORD value; one of another type or size, larger ones
    // included, fails with ERROR_INVALID_DATA.
    LONG readDword(const char *valueName, DWORD &value) const;
    LONG setValue(const char *valueName, DWORD type, const void *data, DWORD size);

    // The walks take an entry by its index and fail with ERROR_NO_MORE_ITEMS
    // past the last one. A subkey's name as stored, in UTF-16, into name of
    // nameSize characters with its NUL; ERROR_MORE_DATA when it is longer.
    LONG enumSubkeyName(DWORD index, wchar_t *name, DWORD nameSize) const;
    // A value's name, into name of nameSize bytes, and its data in one
    // request. size gives the room in data and returns the bytes stored;
    // ERROR_MORE_DATA when the data does not fit, and then the name may be
    // missing. With no data asked for (null), its name and size alone.
    LONG enumValue(DWORD index, char *name, DWORD nameSize, DWORD &type, void *data,
                   DWORD &size) const;
    // The key's counts of subkeys and values and the time of its last change.
    LONG stamp(KeyStamp &stamp) const;

    // Texts up to this many bytes are read in one query; longer ones, which
    // are cut to their field anyway, take three.
    static const DWORD kTextReadAtOnce = 512;

private:
    LONG readLongText(const char *valueName, char *field, size_t fieldSize) const;
    LONG keptIfOpened(LONG status);

    HKEY handle_ = nullptr;
};

#endif
