#include "LibraryHooks.h"

#include <cstring>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>

namespace {

LibraryHook theHook = nullptr;
std::mutex countsLock;
std::set<HKEY> openKeys;
std::set<void *> heapBlocks;

LONG before(const char *function, DWORD dataRoom = 0)
{
    return theHook ? theHook({function, dataRoom}) : ERROR_SUCCESS;
}

// A key the registry opened, counted until it is closed.
LONG opened(LONG status, HKEY key)
{
    if (status == ERROR_SUCCESS) {
        std::lock_guard<std::mutex> lock(countsLock);
        openKeys.insert(key);
    }
    return status;
}

// A heap block, counted until it is freed: `grown` (if any) moved to `block`.
void *allocated(void *grown, void *block)
{
    std::lock_guard<std::mutex> lock(countsLock);
    if (grown && block)
        heapBlocks.erase(grown);
    if (block)
        heapBlocks.insert(block);
    return block;
}

DWORD roomOf(const void *data, const DWORD *size)
{
    return data && size ? *size : 0;
}

// Each wrapper takes the place of one function and calls it if the hook lets it.

LSTATUS WINAPI openKey(HKEY parent, LPCSTR path, DWORD options, REGSAM access, PHKEY key)
{
    if (LONG injected = before("RegOpenKeyExA"))
        return injected;
    const LONG status = RegOpenKeyExA(parent, path, options, access, key);
    return opened(status, *key);
}

LSTATUS WINAPI createKey(HKEY parent, LPCSTR path, DWORD reserved, LPSTR keyClass, DWORD options,
                         REGSAM access, const LPSECURITY_ATTRIBUTES security, PHKEY key, LPDWORD disposition)
{
    if (LONG injected = before("RegCreateKeyExA"))
        return injected;
    const LONG status = RegCreateKeyExA(parent, path, reserved, keyClass, options, access, security, key, disposition);
    return opened(status, *key);
}

LSTATUS WINAPI closeKey(HKEY key)
{
    const LONG injected = before("RegCloseKey");
    const LONG status = RegCloseKey(key);
    if (status == ERROR_SUCCESS) {
        std::lock_guard<std::mutex> lock(countsLock);
        openKeys.erase(key);
    }
    return injected ? injected : status;
}

LSTATUS WINAPI queryValue(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (LONG injected = before("RegQueryValueExA", roomOf(data, size))) {
        if (injected != ERROR_MORE_DATA || !roomOf(data, size))
            return injected;
        *size = 0;
    }
    return RegQueryValueExA(key, name, reserved, type, data, size);
}

LSTATUS WINAPI setValue(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE *data, DWORD size)
{
    if (LONG injected = before("RegSetValueExA"))
        return injected;
    return RegSetValueExA(key, name, reserved, type, data, size);
}

LSTATUS WINAPI enumKey(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved,
                       LPWSTR keyClass, LPDWORD classSize, PFILETIME lastWrite)
{
    if (LONG injected = before("RegEnumKeyExW"))
        return injected;
    return RegEnumKeyExW(key, index, name, nameSize, reserved, keyClass, classSize, lastWrite);
}

LSTATUS WINAPI enumValue(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                         LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (LONG injected = before("RegEnumValueA", roomOf(data, size))) {
        if (injected != ERROR_MORE_DATA || !roomOf(data, size))
            return injected;
        *size = 0;
    }
    return RegEnumValueA(key, index, name, nameSize, reserved, type, data, size);
}

LSTATUS WINAPI queryInfo(HKEY key, LPWSTR keyClass, LPDWORD classSize, LPDWORD reserved, LPDWORD subkeys,
                         LPDWORD longestSubkey, LPDWORD longestClass, LPDWORD values, LPDWORD longestName,
                         LPDWORD longestData, LPDWORD security, PFILETIME lastWrite)
{
    if (LONG injected = before("RegQueryInfoKeyW"))
        return injected;
    return RegQueryInfoKeyW(key, keyClass, classSize, reserved, subkeys, longestSubkey, longestClass, values,
                            longestName, longestData, security, lastWrite);
}

LPVOID WINAPI heapAlloc(HANDLE heap, DWORD flags, SIZE_T size)
{
    if (before("HeapAlloc"))
        return nullptr;
    return allocated(nullptr, HeapAlloc(heap, flags, size));
}

LPVOID WINAPI heapReAlloc(HANDLE heap, DWORD flags, LPVOID block, SIZE_T size)
{
    if (before("HeapReAlloc"))
        return nullptr;
    return allocated(block, HeapReAlloc(heap, flags, block, size));
}

BOOL WINAPI heapFree(HANDLE heap, DWORD flags, LPVOID block)
{
    before("HeapFree");
    const BOOL freed = HeapFree(heap, flags, block);
    if (freed) {
        std::lock_guard<std::mutex> lock(countsLock);
        heapBlocks.erase(block);
    }
    return freed;
}

const struct {
    const char *name;
    void *wrapper;
} kWrappers[] = {
    {"HeapAlloc", reinterpret_cast<void *>(heapAlloc)},
    {"HeapReAlloc", reinterpret_cast<void *>(heapReAlloc)},
    {"HeapFree", reinterpret_cast<void *>(heapFree)},
    {"RegOpenKeyExA", reinterpret_cast<void *>(openKey)},
    {"RegCreateKeyExA", reinterpret_cast<void *>(createKey)},
    {"RegCloseKey", reinterpret_cast<void *>(closeKey)},
    {"RegQueryValueExA", reinterpret_cast<void *>(queryValue)},
    {"RegSetValueExA", reinterpret_cast<void *>(setValue)},
    {"RegEnumKeyExW", reinterpret_cast<void *>(enumKey)},
    {"RegEnumValueA", reinterpret_cast<void *>(enumValue)},
    {"RegQueryInfoKeyW", reinterpret_cast<void *>(queryInfo)},
};

void *wrapperOf(const char *function)
{
    for (const auto &wrapper : kWrappers)
        if (std::strcmp(wrapper.name, function) == 0)
            return wrapper.wrapper;
    return nullptr;
}

template <typename T> T *at(HMODULE module, DWORD offset)
{
    return reinterpret_cast<T *>(reinterpret_cast<BYTE *>(module) + offset);
}

} // namespace

void hookLibraryCalls(HMODULE library, LibraryHook hook)
{
    theHook = hook;
    {
        std::lock_guard<std::mutex> lock(countsLock);
        openKeys.clear();
        heapBlocks.clear();
    }
    const auto *headers = at<IMAGE_NT_HEADERS>(library, at<IMAGE_DOS_HEADER>(library, 0)->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int registryFunctions = 0;
    for (auto *dll = at<IMAGE_IMPORT_DESCRIPTOR>(library, imports.VirtualAddress); dll->Name; ++dll) {
        const bool advapi = _stricmp(at<char>(library, dll->Name), "ADVAPI32.dll") == 0;
        if (!advapi && _stricmp(at<char>(library, dll->Name), "KERNEL32.dll") != 0)
            continue;
        auto *names = at<IMAGE_THUNK_DATA>(library, dll->OriginalFirstThunk);
        auto *addresses = at<IMAGE_THUNK_DATA>(library, dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const char *name = at<IMAGE_IMPORT_BY_NAME>(library, static_cast<DWORD>(names->u1.AddressOfData))->Name;
            const bool registry = advapi && std::strncmp(name, "Reg", 3) == 0;
            void *wrapper = wrapperOf(name);
            if (registry && !wrapper)
                throw std::runtime_error(std::string("no wrapper for the library's import of ") + name);
            if (!wrapper)
                continue;
            DWORD protection = 0;
            VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, PAGE_READWRITE, &protection);
            addresses->u1.Function = reinterpret_cast<ULONG_PTR>(wrapper);
            VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, protection, &protection);
            registryFunctions += registry;
        }
    }
    if (registryFunctions == 0)
        throw std::runtime_error("the library imports no registry function from ADVAPI32.dll");
}

size_t keysLeftOpen()
{
    std::lock_guard<std::mutex> lock(countsLock);
    return openKeys.size();
}

size_t heapBlocksLeft()
{
    std::lock_guard<std::mutex> lock(countsLock);
    return heapBlocks.size();
}
