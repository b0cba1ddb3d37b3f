// Registry state for the settings library's tests and benchmark: modem
// instance keys, the settings store and serial ports, written and read
// directly so that the library's own reading and writing are what is tested.
#ifndef TESTREGISTRY_H
#define TESTREGISTRY_H

#include "OvMohReg.h"

#include <windows.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

std::string modemKey(const std::string &instance);
std::string settingsKey(const std::string &instance);

// Removes every modem instance and all stored settings.
void clearModems();
void addModem(const std::string &instance, const std::map<std::string, std::string> &texts);
void setValue(const std::string &key, const char *name, DWORD type, const void *data, DWORD size);
void setText(const std::string &key, const char *name, const std::string &text);
void setDword(const std::string &key, const char *name, DWORD value);
void deleteKey(const std::string &key);
// Removes a value, if the key and the value are there.
void deleteValue(const std::string &key, const char *name);
// Gives the key the access rules of an SDDL text, such as one that denies reading.
void setKeySecurity(const std::string &key, const char *sddl);

// A key's values, name to type and data as stored; none when the key is missing.
std::map<std::string, std::string> valuesOf(const std::string &key);
std::string stored(DWORD type, const void *data, size_t size);
std::string storedText(const std::string &text);
std::string storedDword(DWORD value);

// Through the settings library, so inline: a program that loads the
// library itself, to unload it, must not import it by linking these.
inline std::vector<ModemRecord> enumerateAll()
{
    std::vector<ModemRecord> modems;
    ModemRecord record = {};
    int32_t cursor = 0;
    while (modems.size() < 1000 && enumOstvModem(&record, &cursor) == 0)
        modems.push_back(record);
    return modems;
}

inline ModemRecord findModem(const std::string &instance)
{
    for (const ModemRecord &modem : enumerateAll())
        if (instance == modem.libraryText1)
            return modem;
    throw std::runtime_error("modem " + instance + " not enumerated");
}

#endif
