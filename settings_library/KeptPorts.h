// What the library keeps between calls, as OvMohReg.h tells: the serial
// ports that CheckSerialModem looks ports up in. Its rules:
// - the ports read for an enumeration serve its checks, and the checks of
//   earlier records, until the next enumeration starts; before any, the
//   ports a check read serve the next checks only while the map's stamp
//   shows it unchanged;
// - it is taken only under its lock, which is held around nothing else, no
//   registry call in particular, so that no call waits for another's;
// - it is plain data with no destructor: DllMain frees the ports when
//   FreeLibrary unloads the library, and at process exit does nothing, as
//   Windows advises: the process's end frees them.
#ifndef KEPTPORTS_H
#define KEPTPORTS_H

#include "PortList.h"

#include <windows.h>

#include <cstdint>

class KeptPorts {
public:
    // A new enumeration: the ports are read afresh for its checks.
    void startEnumeration();
    // Whether the system knows the port, in present, or the failure to read
    // the ports the system knows.
    LONG findSerialPort(const char *port, bool &present);
    // For DllMain when FreeLibrary unloads the library, while no call runs.
    void freeAtUnload() { ports_.forget(); }

private:
    class Lock;

    SRWLOCK lock_ = SRWLOCK_INIT;
    uint32_t enumerationsStarted_ = 0; // tells whether one started while ports were read
    PortList ports_;
};

// The library's one.
extern KeptPorts keptPorts;

#endif
