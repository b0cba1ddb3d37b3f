#include "LinkedSettingsLibrary.h"

#include <windows.h>

int LinkedSettingsLibrary::enumOstvModem(ModemRecord *record, int32_t *cursor)
{
    return ::enumOstvModem(record, cursor);
}

int LinkedSettingsLibrary::CheckSerialModem(ModemRecord *record) { return ::CheckSerialModem(record); }
int LinkedSettingsLibrary::enableMOH(ModemRecord *record) { return ::enableMOH(record); }
int LinkedSettingsLibrary::disableMOH(ModemRecord *record) { return ::disableMOH(record); }
int LinkedSettingsLibrary::writeSwitchHookAccept(ModemRecord *record) { return ::writeSwitchHookAccept(record); }
int LinkedSettingsLibrary::writeSwitchHookResume(ModemRecord *record) { return ::writeSwitchHookResume(record); }
int LinkedSettingsLibrary::writeSwitchHookReject(ModemRecord *record) { return ::writeSwitchHookReject(record); }

// The library's errors are Win32 error codes: the system has their text.
std::string LinkedSettingsLibrary::describeError(int code)
{
    char *text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char *>(&text), 0, nullptr);
    std::string description = length > 0 && text != nullptr ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!description.empty() && (description.back() == '\n' || description.back() == '\r' ||
                                    description.back() == ' '))
        description.pop_back();
    if (description.empty())
        description = "Error " + std::to_string(code) + ".";
    return description;
}
