#include "LinkedSettingsLibrary.h"

#include "Win32Text.h"

int LinkedSettingsLibrary::enumOstvModem(ModemRecord *record, int32_t *cursor)
{
    return ::enumOstvModem(record, cursor);
}

int LinkedSettingsLibrary::CheckSerialModem(ModemRecord *record) { return ::CheckSerialModem(record); }
int LinkedSettingsLibrary::enableMOH(ModemRecord *record) { return ::enableMOH(record); }
int LinkedSettingsLibrary::disableMOH(ModemRecord *record) { return ::disableMOH(record); }

int LinkedSettingsLibrary::writeSwitchHook(SwitchHookSequence sequence, ModemRecord *record)
{
    return ::writeSwitchHook(sequence, record);
}

// The library's errors are Win32 error codes: the system has their text.
std::string LinkedSettingsLibrary::describeError(int code) { return systemErrorText(static_cast<DWORD>(code)); }

std::string LinkedSettingsLibrary::programText(const char *recordText) { return utf8FromAnsi(recordText); }
