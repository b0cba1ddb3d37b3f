// The serial ports the system knows, as one walk of the serial port map
// found them, for every check of an enumeration that CheckSerialModem makes.
#ifndef PORTLIST_H
#define PORTLIST_H

#include <windows.h>

#include <cstddef>

class RegistryKey;

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
};

#endif
