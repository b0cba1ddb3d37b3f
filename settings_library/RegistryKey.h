// Registry access for the settings library: a key handle that closes itself,
// and reads that cope with whatever another program left in a value.
#ifndef REGISTRYKEY_H
#define REGISTRYKEY_H

#include <windows.h>

#include <cstddef>

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
    HKEY handle() const { return handle_; }

    // Reads a REG_SZ value into a text field of fieldSize bytes, cut at its
    // first NUL and after the last whole character that fits. A missing
    // value, or one of another type, leaves "" and returns false.
    bool readText(const char *valueName, char *field, size_t fieldSize) const;
    // Reads a REG_DWORD value; one of another type or size counts as missing.
    bool readDword(const char *valueName, DWORD &value) const;

    // Texts up to this many bytes are read in one query; longer ones, which
    // are cut to their field anyway, take three.
    static const DWORD kTextReadAtOnce = 512;

private:
    bool readLongText(const char *valueName, char *field, size_t fieldSize) const;
    void close();
    LONG keptIfOpened(LONG status);

    HKEY handle_ = nullptr;
};

#endif
