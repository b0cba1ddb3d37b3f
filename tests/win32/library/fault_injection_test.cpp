// Every registry call of every operation of the library made to fail in
// turn, with the errors a registry gives: access denied, out of memory, a
// key deleted, and a text that has outgrown its buffer; and every
// allocation of the library. Each failure is injected into the shipped
// OvMohReg.dll, loaded afresh, through its import table (LibraryHooks.h).
// What must hold:
// - nothing crashes or hangs;
// - a listing ends with 259 having listed every modem as it is, or with a
//   failure code; no record is reported with wrong or made-up data, and no
//   modem passes for one without settings or without a name;
// - a port check that returns 0 marks exactly the ports the system does not
//   know; one that fails leaves the description as it was;
// - a write that returns 0 stored its value; one that fails stored nothing
//   and left the record as it was;
// - no key is left open, and FreeLibrary frees all the library allocated;
// - the same operation, made again without a failure, is right.
#include "LibraryHooks.h"
#include "ModemRegistryTest.h"
#include "RegistryLayout.h"
#include "SwitchHookSequences.h"

#include <cstdio>
#include <cstring>

namespace {

const char *const kTestDevices[] = {"\\Device\\PelmoraFault1", "\\Device\\PelmoraFault3"};

using RecordCall = int(__cdecl *)(ModemRecord *);
using EnumerateCall = int(__cdecl *)(ModemRecord *, int32_t *);

// The library loaded for one run, unloaded after it.
class LoadedLibrary {
public:
    LoadedLibrary() : module_(LoadLibraryA("OvMohReg.dll")) {}
    ~LoadedLibrary() { FreeLibrary(module_); }
    LoadedLibrary(const LoadedLibrary &) = delete;
    LoadedLibrary &operator=(const LoadedLibrary &) = delete;

    HMODULE module() const { return module_; }
    EnumerateCall enumerate() const { return reinterpret_cast<EnumerateCall>(address("enumOstvModem")); }
    RecordCall call(const char *name) const { return reinterpret_cast<RecordCall>(address(name)); }

private:
    void *address(const char *name) const { return reinterpret_cast<void *>(GetProcAddress(module_, name)); }

    HMODULE module_;
};

// The failure of this run: the call to fail, counted from 1 (0: none), and
// its error; `failed` names the function once it has failed.
struct Injection {
    int at = 0;
    LONG error = ERROR_SUCCESS;
    int calls = 0;
    const char *failed = nullptr;
};
Injection injection;

// Whether the call can fail with the error as a registry or a heap fails:
// an allocation only for want of memory, and ERROR_MORE_DATA only for a
// text, which may grow between its reads (not for a DWORD, which cannot).
bool isAllocation(const char *function)
{
    return std::strncmp(function, "Heap", 4) == 0;
}

bool canFail(const LibraryCall &call, LONG error)
{
    if (isAllocation(call.function))
        return error == ERROR_OUTOFMEMORY;
    if (error == ERROR_MORE_DATA)
        return call.dataRoom > sizeof(DWORD);
    return true;
}

LONG inject(const LibraryCall &call)
{
    if (std::strcmp(call.function, "HeapFree") == 0 || ++injection.calls != injection.at
        || !canFail(call, injection.error))
        return ERROR_SUCCESS;
    injection.failed = call.function;
    return injection.error;
}

// A failure code that a call may return in this run: the error injected
// (the library's own for an allocation), or its word for a change under its
// reads. A failed close or a text that outgrew its buffer is no failure of
// the operation.
bool mayFailWith(int result)
{
    if (!injection.failed || injection.error == ERROR_MORE_DATA || std::strcmp(injection.failed, "RegCloseKey") == 0)
        return false;
    if (isAllocation(injection.failed))
        return result == ERROR_NOT_ENOUGH_MEMORY;
    return result == injection.error || result == OVMOH_MODEMS_CHANGED;
}

// Three modems: one with every value and its settings stored, on a port the
// system knows; one with its driver's description only, on a port it does
// not know, without settings; one with a name too long to read at once.
void setUpModems()
{
    clearModems();
    addModem("0000", {{"FriendlyName", "Fax Modem"}, {"DriverDesc", "Driver 0"}, {"AttachedTo", "COM1"}});
    setDword(settingsKey("0000"), "MohEnabled", 1);
    setText(settingsKey("0000"), "AcceptSequence", "1#");
    setText(settingsKey("0000"), "ResumeSequence", "*");
    setText(settingsKey("0000"), "RejectSequence", "90");
    addModem("0001", {{"DriverDesc", "Driver 1"}, {"AttachedTo", "COM2"}});
    addModem("0002", {{"FriendlyName", std::string(600, 'x')}, {"DriverDesc", "Driver 2"}, {"AttachedTo", "COM3"}});
    setDword(settingsKey("0002"), "MohEnabled", 0);
    setText(settingsKey("0002"), "AcceptSequence", "");
    addModem("Properties", {});
    setText(kSerialPortsPath, kTestDevices[0], "COM1");
    setText(kSerialPortsPath, kTestDevices[1], "COM3");
}

// The modems as enumeration fills them, and as CheckSerialModem leaves them.
std::vector<ModemRecord> readModems, checkedModems;

bool same(const ModemRecord &a, const ModemRecord &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// An enumeration as the dialog makes it, CheckSerialModem on every record.
std::string listModems(const LoadedLibrary &library)
{
    std::string wrong;
    ModemRecord record = {};
    int32_t cursor = 0;
    size_t listed = 0;
    int end = 0;
    for (; (end = library.enumerate()(&record, &cursor)) == 0; ++listed) {
        if (listed == readModems.size())
            return "a modem too many";
        const int checked = library.call("CheckSerialModem")(&record);
        if (checked == 0 ? !same(record, checkedModems[listed]) : !same(record, readModems[listed]))
            wrong += "record " + std::to_string(listed) + " wrong (its check returned " + std::to_string(checked) + "); ";
        else if (checked != 0 && !mayFailWith(checked))
            wrong += "check " + std::to_string(listed) + " returned " + std::to_string(checked) + "; ";
    }
    if (end == OVMOH_NO_FURTHER_MODEM ? listed != readModems.size() : !mayFailWith(end))
        wrong += "ended with " + std::to_string(end) + " after " + std::to_string(listed) + " modems; ";
    return wrong;
}

// Each modem's port checked before any enumeration, from a record an
// earlier enumeration filled.
std::string checkPorts(const LoadedLibrary &library)
{
    std::string wrong;
    for (size_t modem = 0; modem < readModems.size(); ++modem) {
        ModemRecord record = readModems[modem];
        const int checked = library.call("CheckSerialModem")(&record);
        if (checked == 0 ? !same(record, checkedModems[modem]) : !same(record, readModems[modem]) || !mayFailWith(checked))
            wrong += "check " + std::to_string(modem) + " returned " + std::to_string(checked) + " and left \""
                + record.description + "\"; ";
    }
    return wrong;
}

// One write, stored into one modem's settings.
struct Write {
    const char *function;
    size_t modem;
    SwitchHookSequence sequence; // kSwitchHookSequenceCount: modem-on-hold
    const char *text;            // the sequence, or "1" or "0" for modem-on-hold

    std::string operator()(const LoadedLibrary &library) const
    {
        ModemRecord record = readModems[modem];
        if (sequence != kSwitchHookSequenceCount)
            std::strcpy(record.*kSequenceFields[sequence], text);
        const std::string key = settingsKey(record.libraryText1);
        const std::map<std::string, std::string> before = valuesOf(key);
        ModemRecord written = record;
        std::map<std::string, std::string> stored = before;
        if (sequence == kSwitchHookSequenceCount) {
            written.mohEnabled = text[0] - '0';
            stored["MohEnabled"] = storedDword(static_cast<DWORD>(written.mohEnabled));
        } else {
            stored[kSequenceValues[sequence]] = storedText(text);
        }

        const ModemRecord given = record;
        const int result = library.call(function)(&record);
        const std::map<std::string, std::string> after = valuesOf(key);
        if (result == 0 ? after != stored || !same(record, written)
                        : after != before || !same(record, given) || !mayFailWith(result))
            return std::string(function) + " returned " + std::to_string(result) + " and stored "
                + (after == before ? "nothing" : after == stored ? "its value" : "something else");
        return "";
    }
};

std::string describe(const ModemRecord &record)
{
    return std::string(record.libraryText1) + " \"" + record.name + "\" \"" + record.description + "\" "
        + std::to_string(record.mohEnabled) + " \"" + record.acceptSequence + "\" \"" + record.resumeSequence
        + "\" \"" + record.rejectSequence + "\"";
}

class FaultInjectionTest : public ModemRegistryTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, GetModuleHandleA("OvMohReg.dll")) << "this program must not import the library";
        ModemRegistryTest::SetUp();
        setUpModems();
    }
    void TearDown() override
    {
        for (const char *device : kTestDevices)
            deleteValue(kSerialPortsPath, device);
        ModemRegistryTest::TearDown();
    }
};

} // namespace

TEST_F(FaultInjectionTest, EveryFailedCallIsReportedOrSurvived)
{
    {
        // What a clean enumeration gives, checked against what is stored.
        LoadedLibrary library;
        readModems.clear();
        checkedModems.clear();
        ModemRecord record = {};
        int32_t cursor = 0;
        while (library.enumerate()(&record, &cursor) == 0) {
            readModems.push_back(record);
            ASSERT_EQ(0, library.call("CheckSerialModem")(&record));
            checkedModems.push_back(record);
        }
    }
    ASSERT_EQ(3u, checkedModems.size());
    EXPECT_EQ("0000 \"Fax Modem\" \"COM1\" 1 \"1#\" \"*\" \"90\"", describe(checkedModems[0]));
    EXPECT_EQ("0001 \"Driver 1\" \"COM2 (not present)\" 0 \"\" \"\" \"\"", describe(checkedModems[1]));
    EXPECT_EQ("0002 \"" + std::string(MODEM_TEXT_SIZE - 1, 'x') + "\" \"COM3\" 0 \"\" \"\" \"\"",
              describe(checkedModems[2]));

    const struct {
        const char *name;
        std::function<std::string(const LoadedLibrary &)> run;
    } operations[] = {
        {"listing", listModems},
        {"port checks before any enumeration", checkPorts},
        {"enableMOH", Write{"enableMOH", 1, kSwitchHookSequenceCount, "1"}},
        {"disableMOH", Write{"disableMOH", 0, kSwitchHookSequenceCount, "0"}},
        {"writeSwitchHookAccept", Write{"writeSwitchHookAccept", 0, kAcceptSequence, "*9#"}},
        {"writeSwitchHookResume", Write{"writeSwitchHookResume", 2, kResumeSequence, "12"}},
        {"writeSwitchHookReject (clearing)", Write{"writeSwitchHookReject", 0, kRejectSequence, ""}},
    };
    const LONG errors[] = {ERROR_ACCESS_DENIED, ERROR_OUTOFMEMORY, ERROR_KEY_DELETED, ERROR_MORE_DATA};
    int injected = 0;
    int held = 0;
    std::vector<std::string> broken;
    for (const auto &operation : operations) {
        int calls = 0;
        {
            LoadedLibrary library;
            injection = Injection();
            hookLibraryCalls(library.module(), inject);
            EXPECT_EQ("", operation.run(library)) << operation.name << ", without a failure";
            calls = injection.calls;
        }
        for (int at = 1; at <= calls; ++at)
            for (LONG error : errors) {
                setUpModems();
                std::string wrong;
                std::string failed;
                {
                    LoadedLibrary library;
                    hookLibraryCalls(library.module(), inject);
                    injection = {at, error, 0, nullptr};
                    wrong = operation.run(library);
                    if (!injection.failed)
                        continue; // this call cannot fail so
                    failed = injection.failed;
                    injection = Injection();
                    if (const std::string again = operation.run(library); !again.empty())
                        wrong += "made again: " + again;
                    if (keysLeftOpen())
                        wrong += std::to_string(keysLeftOpen()) + " keys left open; ";
                }
                if (heapBlocksLeft())
                    wrong += std::to_string(heapBlocksLeft()) + " heap blocks left after FreeLibrary; ";
                ++injected;
                if (wrong.empty())
                    ++held;
                else
                    broken.push_back(std::string(operation.name) + ", call " + std::to_string(at) + " (" + failed
                                     + ") failed with " + std::to_string(error) + ": " + wrong);
            }
    }
    std::printf("Fault injection: %d failures injected, %d held\n", injected, held);
    EXPECT_GE(injected, 300);
    EXPECT_EQ(injected, held);
    for (size_t i = 0; i < broken.size() && i < 40; ++i)
        ADD_FAILURE() << broken[i];
}
