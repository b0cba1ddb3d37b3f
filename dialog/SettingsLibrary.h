// The settings library as the dialog sees it: the seven calls of the library
// the program links against, behind an interface so the dialog's logic can
// also run against a scripted library in tests. The three switch-hook writes
// are one call here, told which sequence to store.
#pragma once

#include "SwitchHookSequences.h"

#include <string>

class SettingsLibrary {
public:
    virtual ~SettingsLibrary() = default;

    virtual int enumOstvModem(ModemRecord *record, int32_t *cursor) = 0;
    virtual int CheckSerialModem(ModemRecord *record) = 0;
    virtual int enableMOH(ModemRecord *record) = 0;
    virtual int disableMOH(ModemRecord *record) = 0;
    virtual int writeSwitchHook(SwitchHookSequence sequence, ModemRecord *record) = 0;

    // The user-readable text of an error code that a call returned, in UTF-8.
    virtual std::string describeError(int code) = 0;
    // A record's text, which the library keeps in the system's ANSI code
    // page, as a text of the program's own, in UTF-8.
    virtual std::string programText(const char *recordText) = 0;
};
