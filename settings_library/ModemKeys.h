// Where the library finds modems and keeps their settings, and how it knows
// a record that its enumeration filled. Shared by the reading and the
// writing half of the library.
#ifndef MODEMKEYS_H
#define MODEMKEYS_H

#include "OvMohReg.h"
#include "RegistryPaths.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

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

// Room for the path of an instance's key under either parent path.
const size_t kInstancePathSize = sizeof kModemClassPath + 1 + kInstanceNameLength;
static_assert(sizeof kSettingsPath <= sizeof kModemClassPath, "settings path too long");

// Writes parent\instanceName into path; instanceName is an instance key's.
inline const char *instancePath(char (&path)[kInstancePathSize], const char *parent,
                                const char *instanceName)
{
    size_t parentLength = std::strlen(parent);
    std::memcpy(path, parent, parentLength);
    path[parentLength] = '\\';
    std::memcpy(path + parentLength + 1, instanceName, kInstanceNameLength);
    path[parentLength + 1 + kInstanceNameLength] = '\0';
    return path;
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
