// Where modems and their settings live under HKEY_LOCAL_MACHINE and the
// names of their values, how instance keys are named, and how the library
// knows a record that its enumeration filled: for both halves of the library,
// and for the tests that set up and read what it reads and stores.
#ifndef REGISTRYLAYOUT_H
#define REGISTRYLAYOUT_H

#include "OvMohReg.h"
#include "RegistryView.h"
#include "SwitchHookSequences.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

// Modems live in their device class, one instance key each. Their settings
// are kept in a key of our own: Windows asks that nobody but the driver
// write into the device class keys.
const char kModemClassPath[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
const char kSettingsPath[] = "SOFTWARE\\Ostrevan\\Pelmora\\Modems";
// The serial ports the system knows, device name to port name.
const char kSerialPortsPath[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

// What the library reads of an instance key, as the modem's installer wrote it.
const char kFriendlyNameValue[] = "FriendlyName";
const char kDriverDescValue[] = "DriverDesc";
const char kAttachedToValue[] = "AttachedTo"; // the port, such as "COM3"

// A modem's settings: a DWORD, nonzero when modem-on-hold is enabled, and
// the switch-hook sequences as texts.
const char kMohEnabledValue[] = "MohEnabled";
const char *const kSequenceValues[kSwitchHookSequenceCount] = {"AcceptSequence", "ResumeSequence",
                                                               "RejectSequence"};

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

// libraryWord of every record enumeration fills ("MOH", layout 1): the
// calls taking a record refuse one without it, such as one zeroed or made up.
const uint32_t kFilledByEnumeration = 0x4D4F4801;

inline LONG checkFromEnumeration(const ModemRecord *record)
{
    if (!record || record->libraryWord != kFilledByEnumeration
        || !isInstanceKeyName(record->libraryText1)
        || std::atoi(record->libraryText1) != record->libraryCode)
        return ERROR_INVALID_PARAMETER;
    return ERROR_SUCCESS;
}

#endif
