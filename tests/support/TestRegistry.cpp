#include "TestRegistry.h"
#include "RegistryLayout.h"

#include <sddl.h>

#include <stdexcept>

namespace {

void check(LONG status, const std::string &what)
{
    if (status != ERROR_SUCCESS)
        throw std::runtime_error(what + " failed: " + std::to_string(status));
}

HKEY createKey(const std::string &key, REGSAM access)
{
    HKEY handle;
    check(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0,
                          access | kRegistryView, nullptr, &handle, nullptr),
          "creating " + key);
    return handle;
}

} // namespace

std::string modemKey(const std::string &instance)
{
    return kModemClassPath + ("\\" + instance);
}

std::string settingsKey(const std::string &instance)
{
    return kSettingsPath + ("\\" + instance);
}

void deleteKey(const std::string &key)
{
    HKEY handle;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0,
                                KEY_ALL_ACCESS | kRegistryView, &handle);
    if (status == ERROR_FILE_NOT_FOUND)
        return;
    check(status, "opening " + key);
    status = RegDeleteTreeA(handle, nullptr);
    RegCloseKey(handle);
    check(status, "emptying " + key);
    check(RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), kRegistryView, 0), "deleting " + key);
}

void deleteValue(const std::string &key, const char *name)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_SET_VALUE | kRegistryView, &handle) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(handle, name);
    RegCloseKey(handle);
}

void setKeySecurity(const std::string &key, const char *sddl)
{
    PSECURITY_DESCRIPTOR rules = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &rules, nullptr))
        throw std::runtime_error(std::string("bad SDDL ") + sddl);
    HKEY handle;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, WRITE_DAC | kRegistryView, &handle);
    if (status == ERROR_SUCCESS) {
        status = RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, rules);
        RegCloseKey(handle);
    }
    LocalFree(rules);
    check(status, "setting the access rules of " + key);
}

void clearModems()
{
    HKEY modemClass;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kModemClassPath, 0, KEY_READ | kRegistryView,
                      &modemClass)
        == ERROR_SUCCESS) {
        // By the names as stored: an ANSI name may stand for two keys.
        wchar_t name[256];
        DWORD length = 256;
        // Deleting shifts the rest down, so the first subkey is always next.
        while (RegEnumKeyExW(modemClass, 0, name, &length, nullptr, nullptr, nullptr, nullptr)
                   == ERROR_SUCCESS
               && RegDeleteTreeW(modemClass, name) == ERROR_SUCCESS)
            length = 256;
        RegCloseKey(modemClass);
    }
    deleteKey(kSettingsPath);
}

void setValue(const std::string &key, const char *name, DWORD type, const void *data, DWORD size)
{
    HKEY handle = createKey(key, KEY_SET_VALUE);
    LONG status = RegSetValueExA(handle, name, 0, type, static_cast<const BYTE *>(data), size);
    RegCloseKey(handle);
    check(status, "setting " + key + "\\" + name);
}

void setText(const std::string &key, const char *name, const std::string &text)
{
    setValue(key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void setDword(const std::string &key, const char *name, DWORD value)
{
    setValue(key, name, REG_DWORD, &value, sizeof value);
}

void addModem(const std::string &instance, const std::map<std::string, std::string> &texts)
{
    RegCloseKey(createKey(modemKey(instance), KEY_SET_VALUE));
    for (const auto &text : texts)
        setText(modemKey(instance), text.first.c_str(), text.second);
}

std::map<std::string, std::string> valuesOf(const std::string &key)
{
    std::map<std::string, std::string> values;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | kRegistryView, &handle)
        != ERROR_SUCCESS)
        return values;
    char name[256];
    std::vector<BYTE> data(65536);
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    for (DWORD i = 0;
         RegEnumValueA(handle, i, name, &nameLength, nullptr, &type, data.data(), &size)
         == ERROR_SUCCESS;
         ++i, nameLength = sizeof name, size = static_cast<DWORD>(data.size()))
        values[name] = stored(type, data.data(), size);
    RegCloseKey(handle);
    return values;
}

std::string stored(DWORD type, const void *data, size_t size)
{
    return std::to_string(type) + ":" + std::string(static_cast<const char *>(data), size);
}

std::string storedText(const std::string &text)
{
    return stored(REG_SZ, text.c_str(), text.size() + 1);
}

std::string storedDword(DWORD value)
{
    return stored(REG_DWORD, &value, sizeof value);
}
