// What PelmoraCtl does with the modems: list them, and hand one change to the
// settings library for one modem or for all of them. Each returns the
// program's exit status.
#ifndef MODEMCOMMANDS_H
#define MODEMCOMMANDS_H

#include "OvMohReg.h"

#include <functional>
#include <string>

// Exit statuses of the program's own; any other non-zero status is the
// Win32 error code that the settings library returned.
const int kUsageError = 1;
const int kNoSuchModem = 2;

// The target of a change naming every modem instead of one.
const char kAllModems[] = "all";

struct Change {
    std::string what; // "enabling modem-on-hold", for messages, in UTF-8
    std::function<int(ModemRecord &)> apply;
};

int listModems(bool asJson);
// modem is an instance key name, as list shows it, or kAllModems, in UTF-8:
// compared byte for byte, no other character passes for one of those.
int changeModems(const std::string &modem, const Change &change);

#endif
