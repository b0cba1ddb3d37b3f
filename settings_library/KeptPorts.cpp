#include "KeptPorts.h"

#include <type_traits>

static_assert(std::is_trivially_destructible<KeptPorts>::value, "nothing kept is released at process exit");

KeptPorts keptPorts;

class KeptPorts::Lock {
public:
    explicit Lock(KeptPorts &kept) : lock_(kept.lock_) { AcquireSRWLockExclusive(&lock_); }
    ~Lock() { ReleaseSRWLockExclusive(&lock_); }
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;

private:
    SRWLOCK &lock_;
};

void KeptPorts::startEnumeration()
{
    Lock lock(*this);
    ports_.forget();
    ++enumerationsStarted_;
}

// Before any enumeration the map's stamp is read, a few calls rather than a
// walk, to tell whether the ports kept still describe it.
LONG KeptPorts::findSerialPort(const char *port, bool &present)
{
    uint32_t enumeration = 0;
    {
        Lock lock(*this);
        enumeration = enumerationsStarted_;
        if (enumeration != 0 && ports_.isRead()) {
            present = ports_.contains(port);
            return ERROR_SUCCESS;
        }
    }
    KeyStamp map = {};
    if (enumeration == 0 && PortList::stampOfMap(map) == ERROR_SUCCESS) {
        Lock lock(*this);
        if (enumeration == enumerationsStarted_ && ports_.describes(map)) {
            present = ports_.contains(port);
            return ERROR_SUCCESS;
        }
    }
    PortList read;
    const LONG status = read.read();
    if (status == ERROR_SUCCESS) {
        present = read.contains(port);
        // Kept unless another enumeration started meanwhile, or another
        // check of this one kept its own first.
        Lock lock(*this);
        if (enumeration == enumerationsStarted_ && (enumeration == 0 || !ports_.isRead()))
            ports_.swap(read);
    }
    read.forget();
    return status;
}

// The library's entry, called by the C run-time's own, which runs no
// destructor of ours. Unloaded by FreeLibrary (reserved null), the library
// frees what it keeps; at process exit it does nothing.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_DETACH && !reserved)
        keptPorts.freeAtUnload();
    return TRUE;
}
