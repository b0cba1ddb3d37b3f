#include "ScriptedLibrary.h"

#include <cstring>

static void copyText(char (&field)[MODEM_TEXT_SIZE], const std::string &text)
{
    std::strncpy(field, text.c_str(), MODEM_TEXT_SIZE - 1);
    field[MODEM_TEXT_SIZE - 1] = '\0';
}

ModemRecord makeModem(const std::string &name, const std::string &description, int mohEnabled,
                      const std::string &accept, const std::string &resume, const std::string &reject)
{
    ModemRecord modem{};
    copyText(modem.name, name);
    copyText(modem.description, description);
    copyText(modem.acceptSequence, accept);
    copyText(modem.resumeSequence, resume);
    copyText(modem.rejectSequence, reject);
    modem.mohEnabled = mohEnabled;
    return modem;
}

std::vector<ScriptedLibrary::Call> ScriptedLibrary::callsOf(const std::string &function) const
{
    std::vector<Call> found;
    for (const Call &call : calls)
        if (call.function == function)
            found.push_back(call);
    return found;
}

// Records the call; returns the error the test asked this function to fail with.
int ScriptedLibrary::record(const char *function, ModemRecord *record)
{
    calls.push_back({function, record, *record});
    auto failure = failures.find(function);
    return failure == failures.end() ? 0 : failure->second;
}

int ScriptedLibrary::enumOstvModem(ModemRecord *target, int32_t *cursor)
{
    record("enumOstvModem", target);
    if (*cursor < 0 || *cursor >= static_cast<int32_t>(modems.size()))
        return enumerationEnd;
    *target = modems[static_cast<size_t>(*cursor)];
    ++*cursor;
    return 0;
}

int ScriptedLibrary::CheckSerialModem(ModemRecord *target)
{
    record("CheckSerialModem", target);
    if (checkSerial)
        checkSerial(*target);
    return 0;
}

int ScriptedLibrary::enableMOH(ModemRecord *target)
{
    const int error = record("enableMOH", target);
    if (error == 0)
        target->mohEnabled = 1;
    return error;
}

int ScriptedLibrary::disableMOH(ModemRecord *target)
{
    const int error = record("disableMOH", target);
    if (error == 0)
        target->mohEnabled = 0;
    return error;
}

int ScriptedLibrary::writeSwitchHook(SwitchHookSequence sequence, ModemRecord *target)
{
    static const char *const names[kSwitchHookSequenceCount] = {"writeSwitchHookAccept", "writeSwitchHookResume",
                                                                 "writeSwitchHookReject"};
    return record(names[sequence], target);
}

std::string ScriptedLibrary::describeError(int code) { return "System error " + std::to_string(code) + "."; }
