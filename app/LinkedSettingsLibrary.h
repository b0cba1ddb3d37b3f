// The settings library the program is linked against, OvMohReg.dll.
#pragma once

#include "SettingsLibrary.h"

class LinkedSettingsLibrary : public SettingsLibrary {
public:
    int enumOstvModem(ModemRecord *record, int32_t *cursor) override;
    int CheckSerialModem(ModemRecord *record) override;
    int enableMOH(ModemRecord *record) override;
    int disableMOH(ModemRecord *record) override;
    int writeSwitchHookAccept(ModemRecord *record) override;
    int writeSwitchHookResume(ModemRecord *record) override;
    int writeSwitchHookReject(ModemRecord *record) override;
    std::string describeError(int code) override;
};
