// PelmoraCtl.exe: the modem-on-hold settings of this machine's modems from
// the command line. Every change goes through the settings library, as the
// dialog's do, so a script meets the same checks and error codes as a click.
#include "ConsoleText.h"
#include "ModemCommands.h"
#include "RunningCopy.h"
#include "SwitchHookSequences.h"
#include "Version.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

const struct {
    const char *name;
    const char *synopsis;
    const char *purpose;
} kCommands[] = {
    {"list", "list [--json]", "One line per modem, or one JSON array in UTF-8."},
    {"enable", "enable MODEM", "Switches modem-on-hold on."},
    {"disable", "disable MODEM", "Switches modem-on-hold off."},
    {"set", "set MODEM accept|resume|reject SEQUENCE",
     "Stores a switch-hook sequence: up to four keys, each one of 0-9, * and #."},
    {"clear", "clear MODEM accept|resume|reject", "Stores an empty switch-hook sequence."},
};

// The command line's word for each switch-hook sequence.
const char *const kSequenceNames[kSwitchHookSequenceCount] = {"accept", "resume", "reject"};

const Change kEnable = {"enabling modem-on-hold", [](ModemRecord &m) { return enableMOH(&m); }};
const Change kDisable = {"disabling modem-on-hold", [](ModemRecord &m) { return disableMOH(&m); }};

// The sequence goes to the library as given: the library decides what it
// accepts, and one too long for the field is still too long when cut. Given
// in UTF-8, it goes in the ANSI code page, where a character of no keypad
// key stays one.
Change sequenceChange(SwitchHookSequence kind, const std::string &utf8Sequence)
{
    const std::string what = utf8Sequence.empty()
        ? std::string("clearing the ") + kSequenceNames[kind] + " sequence"
        : std::string("storing the ") + kSequenceNames[kind] + " sequence \"" + utf8Sequence + "\"";
    return {what, [kind, sequence = ansiFromUtf8(utf8Sequence)](ModemRecord &modem) {
                char *field = modem.*kSequenceFields[kind];
                const size_t length = std::min(sequence.size(), size_t(MODEM_TEXT_SIZE - 1));
                std::memcpy(field, sequence.data(), length);
                field[length] = '\0';
                return writeSwitchHook(kind, &modem);
            }};
}

int printHelp()
{
    std::string help = "Usage: PelmoraCtl COMMAND\r\n"
                       "Shows and changes the modem-on-hold settings of this machine's modems.\r\n\r\n";
    for (const auto &command : kCommands)
        help += std::string("  ") + command.synopsis + "\r\n      " + command.purpose + "\r\n";
    help += "  --help, --version\r\n\r\n"
            "MODEM is a modem's instance key name as list shows it (0000, ...), or all.\r\n"
            "Changes need administrator rights; list works for every user.\r\n"
            "Exit status: 0 on success, 1 on a usage error, 2 when there is no such modem,\r\n"
            "otherwise the Windows error code of what failed: reading the modems, writing\r\n"
            "the output (112 when it did not fit), or the first change that failed.\r\n";
    return writeOut(help);
}

int usageError(const std::vector<std::string> &args)
{
    std::string message = args.empty() ? "no command given" : "unknown command \"" + args[0] + "\"";
    for (const auto &command : kCommands)
        if (!args.empty() && args[0] == command.name)
            message = std::string("usage: PelmoraCtl ") + command.synopsis;
    writeErr("PelmoraCtl: " + message + "\r\nRun \"PelmoraCtl --help\" for the commands.\r\n");
    return kUsageError;
}

int printVersion()
{
    return writeOut("PelmoraCtl " PELMORA_VERSION_TEXT "\r\n");
}

} // namespace

// The arguments are read as Unicode: read in the ANSI code page, Windows
// would turn full-width digits into the digits they look like.
int wmain(int argc, wchar_t **argv)
{
    markRunningCopy();
    std::vector<std::string> args; // in UTF-8
    for (int i = 1; i < argc; ++i)
        args.push_back(utf8From(argv[i]));
    const size_t count = args.size();
    const std::string command = count ? args[0] : "";
    if (count == 1 && (command == "--help" || command == "/?"))
        return printHelp();
    if (count == 1 && command == "--version")
        return printVersion();
    if (command == "list" && (count == 1 || (count == 2 && args[1] == "--json")))
        return listModems(count == 2);
    if ((command == "enable" || command == "disable") && count == 2)
        return changeModems(args[1], command == "enable" ? kEnable : kDisable);
    const bool set = command == "set" && count == 4;
    if (set || (command == "clear" && count == 3))
        for (int kind = 0; kind < kSwitchHookSequenceCount; ++kind)
            if (args[2] == kSequenceNames[kind])
                return changeModems(args[1], sequenceChange(SwitchHookSequence(kind), set ? args[3] : ""));
    return usageError(args);
}
