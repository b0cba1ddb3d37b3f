#include "RegistryKey.h"
#include "TextField.h"

#include <cstring>
#include <memory>
#include <new>

RegistryKey::~RegistryKey()
{
    if (handle_)
        RegCloseKey(handle_);
}

namespace {

// Every key in the 64-bit view: on 64-bit Windows the 32-bit build would
// otherwise keep the settings under SOFTWARE\WOW6432Node, where 64-bit
// readers of them do not look. 32-bit Windows ignores the flag.
const REGSAM kRegistryView = KEY_WOW64_64KEY;

} // namespace

LONG RegistryKey::open(HKEY parent, const char *path, REGSAM access)
{
    return RegOpenKeyExA(parent, path, 0, access | kRegistryView, &handle_);
}

LONG RegistryKey::create(HKEY parent, const char *path, REGSAM access)
{
    return RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                           access | kRegistryView, nullptr, &handle_, nullptr);
}

bool RegistryKey::readText(const char *valueName, char *field, size_t fieldSize) const
{
    field[0] = '\0';
    // The value may grow between asking its size and reading it; retry then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(handle_, valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS
            || type != REG_SZ || size == MAXDWORD)
            return false;
        // One byte more than the data, so that a terminator of our own
        // follows it: the stored text need not have one.
        std::unique_ptr<char[]> data(new (std::nothrow) char[size + 1]());
        if (!data)
            return false;
        LONG status = RegQueryValueExA(handle_, valueName, nullptr, &type,
                                       reinterpret_cast<BYTE *>(data.get()), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            return false;
        copyToField(field, fieldSize, data.get(), strnlen(data.get(), size));
        return true;
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
