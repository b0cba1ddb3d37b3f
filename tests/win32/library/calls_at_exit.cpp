// Leaves an enumeration half done, its ports read, as the dialog does with
// more than ten modems, and returns from main. Every call the settings
// library makes after that, at process exit, is written to the file its
// argument names, one function name a line: the library is to make none.
#include "LibraryHooks.h"
#include "OvMohReg.h"

#include <cstring>

namespace {

HANDLE output = INVALID_HANDLE_VALUE;
bool exiting = false;

void say(const char *text)
{
    DWORD written = 0;
    WriteFile(output, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
}

LONG listAtExit(const LibraryCall &call)
{
    if (exiting) {
        say(call.function);
        say("\n");
    }
    return ERROR_SUCCESS;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 1;
    output = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (output == INVALID_HANDLE_VALUE)
        return 2;
    hookLibraryCalls(GetModuleHandleA("OvMohReg.dll"), listAtExit);
    ModemRecord record = {};
    int32_t cursor = 0;
    if (enumOstvModem(&record, &cursor) != 0 || CheckSerialModem(&record) != 0)
        return 3;
    say("main returns\n");
    exiting = true;
    return 0;
}
