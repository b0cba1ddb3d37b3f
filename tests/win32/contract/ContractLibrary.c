/* A settings library made from the program's contract with its library and
 * nothing else, so that the program is seen to work with any library that
 * honours it, not only with ours: it reports modems from a small table, ends
 * an enumeration with 1, takes the six other calls, and keeps nothing in the
 * registry. It fills the library's own fields with values of its own, and
 * leaves a mark in the record that ends an enumeration, which the program
 * must not use.
 *
 * CONTRACT_LIBRARY_MODEMS gives how many modems it reports (3 when unset);
 * CONTRACT_LIBRARY_ENDINGS, a list such as "1237,1237,259", gives the result
 * that ends each enumeration of the process in turn, the last one for every
 * later enumeration (1 when unset): with our library's results, PelmoraCtl
 * runs over it, and meets modems that changed while it read them;
 * each call it takes is appended as one line to the file that
 * CONTRACT_LIBRARY_LOG names: the call, the modem's number, and for a write
 * of a sequence the sequence in brackets. The modem's number is the
 * enumeration's cursor when it was filled, kept in the record's libraryCode. */
#include "OvMohReg.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void logCall(const char *call, const ModemRecord *record, const char *sequence)
{
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("CONTRACT_LIBRARY_LOG", path, sizeof path))
        return;
    char line[MODEM_TEXT_SIZE + 64];
    int length = sequence ? snprintf(line, sizeof line, "%s %d [%.*s]\n", call, (int)record->libraryCode,
                                     MODEM_TEXT_SIZE - 1, sequence)
                          : snprintf(line, sizeof line, "%s %d\n", call, (int)record->libraryCode);
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(file, line, (DWORD)length, &written, NULL);
    CloseHandle(file);
}

static int modemCount(void)
{
    char count[16];
    return GetEnvironmentVariableA("CONTRACT_LIBRARY_MODEMS", count, sizeof count) ? atoi(count) : 3;
}

/* The result that ends the process's enumeration-th enumeration, from 0. */
static int ending(int enumeration)
{
    char endings[256];
    if (!GetEnvironmentVariableA("CONTRACT_LIBRARY_ENDINGS", endings, sizeof endings))
        return 1;
    char *next = endings;
    int result = 1;
    for (int i = 0; i <= enumeration && *next; ++i) {
        result = (int)strtol(next, &next, 10);
        next += *next == ',';
    }
    return result;
}

int OVMOHREG_API enumOstvModem(ModemRecord *record, int32_t *cursor)
{
    static int enumerations = 0; /* started in this process */
    const int32_t index = *cursor;
    if (index == 0)
        ++enumerations;
    if (index >= modemCount()) {
        strcpy(record->name, "not a modem");
        record->libraryCode = index;
        logCall("enumOstvModem", record, NULL);
        return ending(enumerations - 1);
    }
    memset(record, 0, sizeof *record);
    snprintf(record->name, MODEM_TEXT_SIZE, "Contract Modem %d", (int)index);
    snprintf(record->description, MODEM_TEXT_SIZE, "PORT%d", (int)index);
    strcpy(record->libraryText1, "the library's own");
    /* Modem 1 has modem-on-hold on and an accept sequence stored. */
    record->mohEnabled = index == 1;
    if (index == 1)
        strcpy(record->acceptSequence, "12");
    record->libraryCode = index;
    record->libraryWord = 0xC0FFEE;
    *cursor = index + 1;
    logCall("enumOstvModem", record, NULL);
    return 0;
}

int OVMOHREG_API CheckSerialModem(ModemRecord *record)
{
    logCall("CheckSerialModem", record, NULL);
    return 0;
}

int OVMOHREG_API enableMOH(ModemRecord *record)
{
    record->mohEnabled = 1;
    logCall("enableMOH", record, NULL);
    return 0;
}

int OVMOHREG_API disableMOH(ModemRecord *record)
{
    record->mohEnabled = 0;
    logCall("disableMOH", record, NULL);
    return 0;
}

int OVMOHREG_API writeSwitchHookAccept(ModemRecord *record)
{
    logCall("writeSwitchHookAccept", record, record->acceptSequence);
    return 0;
}

int OVMOHREG_API writeSwitchHookResume(ModemRecord *record)
{
    logCall("writeSwitchHookResume", record, record->resumeSequence);
    return 0;
}

int OVMOHREG_API writeSwitchHookReject(ModemRecord *record)
{
    logCall("writeSwitchHookReject", record, record->rejectSequence);
    return 0;
}
