#include "ModemCommands.h"

#include "ConsoleText.h"

#include <algorithm>
#include <set>
#include <vector>

namespace {

// The library keeps the name of the modem's instance key ("0000") here.
const char *instanceOf(const ModemRecord &modem)
{
    return modem.libraryText1;
}

// One reading of every modem, in the library's order, however many there
// are, and of their ports if asked: 0, or the first failure, with what failed.
int readModems(std::vector<ModemRecord> &modems, bool checkPorts, const char *&failed)
{
    modems.clear();
    int32_t cursor = 0;
    for (;;) {
        ModemRecord record = {};
        failed = "reading the modems";
        int status = enumOstvModem(&record, &cursor);
        if (status == OVMOH_NO_FURTHER_MODEM)
            return 0;
        if (status == 0 && checkPorts) {
            failed = "checking the modems' ports";
            status = CheckSerialModem(&record); // marks a port the system does not know
        }
        if (status != 0)
            return status;
        modems.push_back(record);
    }
}

// Every modem, with its port checked if asked. Returns 0, or the error code
// of a failure to read them, said on stderr: modems that cannot be read must
// not pass for none, nor a modem or its settings that cannot be read for one
// gone or one without settings, nor a list read while modems came or went
// for all of them. Such a list is read again, after a pause that grows each
// time, until the modems stay still.
int enumerateModems(std::vector<ModemRecord> &modems, bool checkPorts)
{
    const char *failed = "";
    int status = readModems(modems, checkPorts, failed);
    for (int reading = 1; status == OVMOH_MODEMS_CHANGED && reading < 5; ++reading) {
        Sleep(50u << reading); // 100 ms, then 200, 400 and 800
        status = readModems(modems, checkPorts, failed);
    }
    if (status != 0)
        writeErr(std::string("PelmoraCtl: ") + failed + " failed: "
                 + (status == OVMOH_MODEMS_CHANGED ? "they changed each of the five times they were read: " : "")
                 + systemText(status) + "\r\n");
    return status;
}

// A text as the list shows it: control characters escaped as in C, so that
// a line break in a name cannot split its modem over two lines.
std::string shown(const char *text)
{
    std::string field;
    for (; *text; ++text) {
        const auto byte = static_cast<unsigned char>(*text);
        if (byte >= 0x20 && byte != 0x7F) {
            field += *text; // a DBCS trail byte is never below 0x40
        } else if (byte == '\t' || byte == '\r' || byte == '\n') {
            field += byte == '\t' ? "\\t" : byte == '\r' ? "\\r" : "\\n";
        } else {
            field += "\\x" + hexByte(byte);
        }
    }
    return field;
}

std::string padded(const std::string &text, size_t width)
{
    std::string field = text;
    if (field.size() < width)
        field.append(width - field.size(), ' ');
    return field;
}

// The name and the port joined as the dialog's list joins them.
std::string textLine(const ModemRecord &modem)
{
    return padded(instanceOf(modem), 4) + "  " + padded(modem.mohEnabled ? "on" : "off", 3)
        + "  accept=" + padded(shown(modem.acceptSequence), 4)
        + "  resume=" + padded(shown(modem.resumeSequence), 4)
        + "  reject=" + padded(shown(modem.rejectSequence), 4) + "  " + shown(modem.name) + ": "
        + shown(modem.description) + "\r\n";
}

std::string jsonObject(const ModemRecord &modem)
{
    return std::string("{\"modem\": ") + jsonString(instanceOf(modem))
        + ", \"moh\": " + (modem.mohEnabled ? "true" : "false")
        + ", \"accept\": " + jsonString(modem.acceptSequence)
        + ", \"resume\": " + jsonString(modem.resumeSequence)
        + ", \"reject\": " + jsonString(modem.rejectSequence)
        + ", \"name\": " + jsonString(modem.name)
        + ", \"port\": " + jsonString(modem.description) + "}";
}

// Said once after the failures, however many modems failed alike.
const struct {
    int code;
    const char *hint;
} kHints[] = {
    {ERROR_ACCESS_DENIED,
     "Changing modem settings needs administrator rights: run PelmoraCtl from an elevated prompt."},
    {ERROR_INVALID_DATA, "A switch-hook sequence is up to four keys, each one of 0-9, * and #."},
};

} // namespace

int listModems(bool asJson)
{
    std::vector<ModemRecord> modems;
    if (const int failure = enumerateModems(modems, true))
        return failure;
    std::string list;
    for (const ModemRecord &modem : modems)
        list += asJson ? (list.empty() ? "[\r\n  " : ",\r\n  ") + jsonObject(modem) : textLine(modem);
    if (asJson)
        list += list.empty() ? "[]\r\n" : "\r\n]\r\n";
    return writeOut(list, asJson ? CP_UTF8 : CP_ACP);
}

int changeModems(const std::string &modem, const Change &change)
{
    // A change needs no port: it does not fail for want of the port map.
    std::vector<ModemRecord> modems;
    if (const int failure = enumerateModems(modems, false))
        return failure;
    if (modem != kAllModems) {
        modems.erase(std::remove_if(modems.begin(), modems.end(),
                                    [&](const ModemRecord &m) { return modem != instanceOf(m); }),
                     modems.end());
        if (modems.empty()) {
            writeErr("PelmoraCtl: there is no modem " + modem
                     + "; \"PelmoraCtl list\" shows the modems.\r\n");
            return kNoSuchModem;
        }
    }
    int firstFailure = 0;
    std::set<int> failures;
    for (ModemRecord &record : modems) {
        const int status = change.apply(record);
        if (status == 0)
            continue;
        writeErr("PelmoraCtl: modem " + std::string(instanceOf(record)) + " (" + utf8FromAnsi(record.name)
                 + "): " + change.what + " failed: " + systemText(status) + "\r\n");
        if (firstFailure == 0)
            firstFailure = status;
        failures.insert(status);
    }
    for (const auto &hint : kHints)
        if (failures.count(hint.code))
            writeErr(hint.hint + std::string("\r\n"));
    return firstFailure;
}
