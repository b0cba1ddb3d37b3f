#include "RegistryKey.h"
#include "RegistryLayout.h"
#include "TextField.h"

#include <cstring>

RegistryKey::~RegistryKey()
{
    close();
}

LONG RegistryKey::open(HKEY parent, const char *path, REGSAM access)
{
    close();
    return keptIfOpened(RegOpenKeyExA(parent, path, 0, access | kRegistryView, &handle_));
}

LONG RegistryKey::create(HKEY parent, const char *path, REGSAM access)
{
    close();
    return keptIfOpened(RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        access | kRegistryView, nullptr, &handle_, nullptr));
}

void RegistryKey::close()
{
    if (handle_)
        RegCloseKey(handle_);
    handle_ = nullptr;
}

LONG RegistryKey::keptIfOpened(LONG status)
{
    if (status != ERROR_SUCCESS)
        handle_ = nullptr;
    return status;
}

bool RegistryKey::readText(const char *valueName, char *field, size_t fieldSize) const
{
    field[0] = '\0';
    // Texts that fit a buffer on the stack take one query. One byte is kept
    // back for a terminator of our own: the stored text need not have one.
    char text[kTextReadAtOnce + 1];
    DWORD type = 0;
    DWORD size = kTextReadAtOnce;
    const LONG status = RegQueryValueExA(handle_, valueName, nullptr, &type, reinterpret_cast<BYTE *>(text), &size);
    if (status == ERROR_SUCCESS && type == REG_SZ) {
        text[size] = '\0';
        copyToField(field, fieldSize, text, strnlen(text, size));
        return true;
    }
    return status == ERROR_MORE_DATA && readLongText(valueName, field, fieldSize);
}

bool RegistryKey::readLongText(const char *valueName, char *field, size_t fieldSize) const
{
    // The value may grow between asking its size and reading it; retry then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(handle_, valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS
            || type != REG_SZ || size == MAXDWORD)
            return false;
        char *data = static_cast<char *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size + 1));
        if (!data)
            return false;
        LONG status = RegQueryValueExA(handle_, valueName, nullptr, &type,
                                       reinterpret_cast<BYTE *>(data), &size);
        bool read = status == ERROR_SUCCESS && type == REG_SZ;
        if (read)
            copyToField(field, fieldSize, data, strnlen(data, size));
        HeapFree(GetProcessHeap(), 0, data);
        if (status != ERROR_MORE_DATA)
            return read;
    }
    return false;
}

bool RegistryKey::readDword(const char *valueName, DWORD &value) const
{
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(handle_, valueName, nullptr, &type, reinterpret_cast<BYTE *>(&data),
                         &size) != ERROR_SUCCESS
        || type != REG_DWORD || size != sizeof data)
        return false;
    value = data;
    return true;
}
