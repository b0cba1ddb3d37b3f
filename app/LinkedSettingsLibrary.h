// The settings library the program is linked against, OvMohReg.dll.
#pragma once

#include "SettingsLibrary.h"

class LinkedSettingsLibrary : public SettingsLibrary {
public:
    int enumOstvModem(ModemRecord *record, int32_t *cursor) override;
    int CheckSerialModem(ModemRecord *record) override;
    int enableMOH(ModemRecord *record) override;
    int disableMOH(ModemRecord *record) override;
    int writeSwitchHook(SwitchHookSequence sequence, ModemRecord *record) override;
    std::string describeError(int code) override;
    std::string programText(const char *recordText) override;
};
