// Where the library finds modems and keeps their settings, and how it knows
// a record that its enumeration filled. Shared by the reading and the
// writing half of the library.
#ifndef MODEMKEYS_H
#define MODEMKEYS_H

#include "OvMohReg.h"
#include "RegistryPaths.h"

#include <windows.h>

#include <cstdlib>
#include <string>

// No walk over a key's entries goes further: keys are rebuilt and deleted
// while we walk them, and a walk must end whatever they do.
const int32_t kMostEntriesWalked = 1 << 20;

// libraryWord of every record enumeration fills ("MOH", layout 1): the
// calls taking a record refuse one without it, such as one zeroed or made up.
const uint32_t kFilledByEnumeration = 0x4D4F4801;

// Modem instance keys are named by four ASCII digits, "0000" upwards.
const int kInstanceNameLength = 4;

template <typename Character> bool isInstanceKeyName(const Character *name)
{
    for (int i = 0; i < kInstanceNameLength; ++i)
        if (name[i] < '0' || name[i] > '9')
            return false;
    return name[kInstanceNameLength] == 0;
}

inline std::string settingsPathOf(const char *instanceName)
{
    return kSettingsPath + ("\\" + std::string(instanceName));
}

inline LONG checkFromEnumeration(const ModemRecord *record)
{
    if (!record || record->libraryWord != kFilledByEnumeration
        || !isInstanceKeyName(record->libraryText1)
        || std::atoi(record->libraryText1) != record->libraryCode)
        return ERROR_INVALID_PARAMETER;
    return ERROR_SUCCESS;
}

#endif
