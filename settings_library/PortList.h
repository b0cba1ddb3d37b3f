// The serial ports the system knows, as one walk of the serial port map
// found them, for every check of an enumeration that CheckSerialModem makes.
#ifndef PORTLIST_H
#define PORTLIST_H

#include "RegistryKey.h"

#include <windows.h>

#include <cstddef>

// The ports' texts one after another, each NUL-terminated, on the heap. It
// has no destructor, so that the one kept needs nothing done at process
// exit: whoever reads one forgets it.
class PortList {
public:
    // Walks the map. A missing map knows no port. A map that cannot be read,
    // or that changed while it was walked (OVMOH_MODEMS_CHANGED), gives the
    // failure, and the list holds nothing.
    LONG read();
    bool isRead() const { return texts_ != nullptr; }
    // Whether the map, whose stamp is now, is still as this list found it.
    // Only a list read once the map had been left alone for a while can
    // tell: a change within the same tick of the registry's clock as the one
    // before it would leave the stamp as it was.
    bool describes(const KeyStamp &now) const { return settled_ && now == stamp_; }
    // The map's stamp, for describes; three registry calls, however many ports.
    static LONG stampOfMap(KeyStamp &stamp);
    bool contains(const char *port) const;
    void forget();
    void swap(PortList &other);

private:
    LONG walk();
    LONG keepEntry(const RegistryKey &map, DWORD index, char *name, DWORD nameSize);
    LONG keep(const char *port);

    char *texts_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    KeyStamp stamp_ = {};
    bool settled_ = false;
};

#endif
