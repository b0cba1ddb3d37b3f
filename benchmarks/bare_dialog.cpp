// The references for start-up: template 102 with the program's own manifest,
// its list filled at WM_INITDIALOG and nothing else. What PelmoraConfig does
// beyond them is its cost. The command line chooses how the list is filled:
//   N               N made-up entries: the dialog alone;
//   --library       the modems through OvMohReg.dll, as the program lists them;
//   --fewest-calls  the same entries, read with the fewest registry calls.
#include "OvMohReg.h"
#include "RegistryLayout.h"
#include "resource.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The program lists at most this many modems.
const int kMostModems = 10;

void append(HWND list, const char *name, const char *description, const char *mark = "")
{
    char entry[2 * MODEM_TEXT_SIZE + 32];
    std::snprintf(entry, sizeof entry, "%s: %s%s", name, description, mark);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
}

void listMadeUp(HWND list, int entries)
{
    for (int i = 0; i < entries; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Benchmark modem %04d", i);
        append(list, name, "Benchmark driver");
    }
}

template <typename Function> Function libraryCall(HMODULE library, const char *name)
{
    // Through a plain function pointer type, which any other converts from.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// As the program lists the modems: enumeration from cursor 0, each record's
// port checked, at most ten. Loaded here rather than imported, so that the
// other modes load no more than a bare dialog does.
void listThroughLibrary(HWND list)
{
    HMODULE library = LoadLibraryA("OvMohReg.dll");
    auto enumerate = libraryCall<int (*)(ModemRecord *, int32_t *)>(library, "enumOstvModem");
    auto checkPort = libraryCall<int (*)(ModemRecord *)>(library, "CheckSerialModem");
    if (!enumerate || !checkPort)
        return;
    int32_t cursor = 0;
    for (int count = 0; count < kMostModems; ++count) {
        ModemRecord record;
        if (enumerate(&record, &cursor) != 0)
            break;
        checkPort(&record);
        append(list, record.name, record.description);
    }
}

struct Modem {
    char name[MODEM_TEXT_SIZE];
    char port[MODEM_TEXT_SIZE];
    bool portPresent;
    ModemRecord settings; // read as the program reads them, though not listed
};

// One query: a text, or "" when it is missing, too long or no text.
void readText(HKEY key, const char *valueName, char (&text)[MODEM_TEXT_SIZE])
{
    DWORD type = 0;
    DWORD size = MODEM_TEXT_SIZE - 1;
    if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE *>(text), &size) != ERROR_SUCCESS
        || type != REG_SZ)
        size = 0;
    text[size] = '\0';
}

void readSettings(const char *instanceName, ModemRecord &settings)
{
    char path[kInstancePathSize];
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, instancePath(path, kSettingsPath, instanceName), 0,
                      KEY_QUERY_VALUE | kRegistryView, &key)
        != ERROR_SUCCESS)
        return;
    DWORD enabled = 0;
    DWORD size = sizeof enabled;
    settings.mohEnabled = RegQueryValueExA(key, kMohEnabledValue, nullptr, nullptr,
                                           reinterpret_cast<BYTE *>(&enabled), &size)
                              == ERROR_SUCCESS
                          && enabled != 0;
    for (int sequence = 0; sequence < kSwitchHookSequenceCount; ++sequence)
        readText(key, kSequenceValues[sequence], settings.*kSequenceFields[sequence]);
    RegCloseKey(key);
}

bool readModem(HKEY modemClass, const char *instanceName, Modem &modem)
{
    HKEY key;
    if (RegOpenKeyExA(modemClass, instanceName, 0, KEY_QUERY_VALUE | kRegistryView, &key) != ERROR_SUCCESS)
        return false;
    readText(key, kFriendlyNameValue, modem.name);
    if (!modem.name[0])
        readText(key, kDriverDescValue, modem.name);
    readText(key, kAttachedToValue, modem.port);
    RegCloseKey(key);
    modem.portPresent = false;
    modem.settings = {};
    readSettings(instanceName, modem.settings);
    return true;
}

// The serial port map walked once for all the modems.
void markPresentPorts(Modem *modems, int count)
{
    HKEY map;
    if (count == 0
        || RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSerialPortsPath, 0, KEY_QUERY_VALUE | kRegistryView, &map)
               != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        char device[16384]; // the longest value name the registry allows
        DWORD deviceLength = sizeof device;
        DWORD type = 0;
        char port[MODEM_TEXT_SIZE];
        DWORD size = sizeof port - 1;
        const LONG status = RegEnumValueA(map, index, device, &deviceLength, nullptr, &type,
                                          reinterpret_cast<BYTE *>(port), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            break;
        port[size] = '\0';
        for (int i = 0; i < count; ++i)
            if (type == REG_SZ && _stricmp(modems[i].port, port) == 0)
                modems[i].portPresent = true;
    }
    RegCloseKey(map);
}

// The same values and entries as the library gives, in the fewest registry
// calls: the class key walked once, the port map read once.
void listWithFewestCalls(HWND list)
{
    static Modem modems[kMostModems];
    int count = 0;
    HKEY modemClass;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kModemClassPath, 0, KEY_ENUMERATE_SUB_KEYS | kRegistryView,
                      &modemClass)
        != ERROR_SUCCESS)
        return;
    for (DWORD index = 0; count < kMostModems; ++index) {
        // The names as stored, as the library takes them.
        wchar_t storedName[kInstanceNameLength + 2];
        DWORD length = kInstanceNameLength + 2;
        const LONG status =
            RegEnumKeyExW(modemClass, index, storedName, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            break;
        if (!isInstanceKeyName(storedName))
            continue;
        char instanceName[kInstanceNameLength + 1];
        for (int i = 0; i <= kInstanceNameLength; ++i)
            instanceName[i] = static_cast<char>(storedName[i]);
        if (readModem(modemClass, instanceName, modems[count]))
            ++count;
    }
    RegCloseKey(modemClass);
    markPresentPorts(modems, count);
    for (int i = 0; i < count; ++i)
        append(list, modems[i].name, modems[i].port,
               modems[i].port[0] && !modems[i].portPresent ? " (not present)" : "");
}

enum class Fill { madeUp, library, fewestCalls };

struct Contents {
    Fill fill;
    int entries; // of the made-up ones
};

INT_PTR CALLBACK bareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        HWND list = GetDlgItem(dialog, IDC_MODEM_LIST);
        const Contents &contents = *reinterpret_cast<const Contents *>(lParam);
        if (contents.fill == Fill::library)
            listThroughLibrary(list);
        else if (contents.fill == Fill::fewestCalls)
            listWithFewestCalls(list);
        else
            listMadeUp(list, contents.entries);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    Contents contents{Fill::madeUp, std::atoi(commandLine)};
    if (std::strcmp(commandLine, "--library") == 0)
        contents.fill = Fill::library;
    else if (std::strcmp(commandLine, "--fewest-calls") == 0)
        contents.fill = Fill::fewestCalls;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PELMORA_CONFIG), nullptr, bareDialogProc,
                    reinterpret_cast<LPARAM>(&contents));
    return 0;
}
