// A settings library that reports the modems a test gives it, records every
// call with a copy of the record it was handed, and fails on request.
#pragma once

#include "SettingsLibrary.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

ModemRecord makeModem(const std::string &name, const std::string &description, int mohEnabled = 0,
                      const std::string &accept = "", const std::string &resume = "",
                      const std::string &reject = "");

class ScriptedLibrary : public SettingsLibrary {
public:
    struct Call {
        std::string function;
        const ModemRecord *address;
        ModemRecord record; // as the library received it
    };

    std::vector<ModemRecord> modems;
    std::function<void(ModemRecord &)> checkSerial; // optional rewrite
    std::map<std::string, int> failures;            // function name to error code
    int enumerationEnd = OVMOH_NO_FURTHER_MODEM;     // what follows the last modem
    std::vector<Call> calls;

    std::vector<Call> callsOf(const std::string &function) const;

    int enumOstvModem(ModemRecord *record, int32_t *cursor) override;
    int CheckSerialModem(ModemRecord *record) override;
    int enableMOH(ModemRecord *record) override;
    int disableMOH(ModemRecord *record) override;
    // Recorded under the name of the library's call for the sequence.
    int writeSwitchHook(SwitchHookSequence sequence, ModemRecord *record) override;
    std::string describeError(int code) override;
    std::string programText(const char *recordText) override { return recordText; }

private:
    int record(const char *function, ModemRecord *record);
};
