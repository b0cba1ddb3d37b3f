#include "RegistryKey.h"
#include "RegistryView.h"
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

LONG RegistryKey::readText(const char *valueName, char *field, size_t fieldSize) const
{
    field[0] = '\0';
    // Texts that fit a buffer on the stack take one query. One byte is kept
    // back for a terminator of our own: the stored text need not have one.
    char text[kTextReadAtOnce + 1];
    DWORD type = 0;
    DWORD size = kTextReadAtOnce;
    const LONG status = RegQueryValueExA(handle_, valueName, nullptr, &type, reinterpret_cast<BYTE *>(text), &size);
    if (status == ERROR_MORE_DATA)
        return readLongText(valueName, field, fieldSize);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ)
        return ERROR_INVALID_DATA;
    text[size] = '\0';
    copyToField(field, fieldSize, text, strnlen(text, size));
    return ERROR_SUCCESS;
}

LONG RegistryKey::readLongText(const char *valueName, char *field, size_t fieldSize) const
{
    // The value may grow between asking its size and reading it; retry then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        LONG status = RegQueryValueExA(handle_, valueName, nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return status;
        if (type != REG_SZ || size == MAXDWORD)
            return ERROR_INVALID_DATA;
        char *data = static_cast<char *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size + 1));
        if (!data)
            return ERROR_NOT_ENOUGH_MEMORY;
        status = RegQueryValueExA(handle_, valueName, nullptr, &type,
                                  reinterpret_cast<BYTE *>(data), &size);
        if (status == ERROR_SUCCESS && type != REG_SZ)
            status = ERROR_INVALID_DATA;
        if (status == ERROR_SUCCESS)
            copyToField(field, fieldSize, data, strnlen(data, size));
        HeapFree(GetProcessHeap(), 0, data);
        if (status != ERROR_MORE_DATA)
            return status;
    }
    return ERROR_MORE_DATA;
}

LONG RegistryKey::readDword(const char *valueName, DWORD &value) const
{
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    const LONG status = RegQueryValueExA(handle_, valueName, nullptr, &type,
                                         reinterpret_cast<BYTE *>(&data), &size);
    if (status == ERROR_MORE_DATA)
        return ERROR_INVALID_DATA; // larger than any DWORD
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_DWORD || size != sizeof data)
        return ERROR_INVALID_DATA;
    value = data;
    return ERROR_SUCCESS;
}

LONG RegistryKey::setValue(const char *valueName, DWORD type, const void *data, DWORD size)
{
    return RegSetValueExA(handle_, valueName, 0, type, static_cast<const BYTE *>(data), size);
}

LONG RegistryKey::enumSubkeyName(DWORD index, wchar_t *name, DWORD nameSize) const
{
    return RegEnumKeyExW(handle_, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr);
}

LONG RegistryKey::enumValue(DWORD index, char *name, DWORD nameSize, DWORD &type, void *data,
                            DWORD &size) const
{
    return RegEnumValueA(handle_, index, name, &nameSize, nullptr, &type, static_cast<BYTE *>(data),
                         &size);
}

LONG RegistryKey::stamp(KeyStamp &stamp) const
{
    return RegQueryInfoKeyW(handle_, nullptr, nullptr, nullptr, &stamp.subkeys, nullptr, nullptr,
                            &stamp.values, nullptr, nullptr, nullptr, &stamp.lastWrite);
}
