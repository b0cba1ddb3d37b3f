// Where modems and their settings live under HKEY_LOCAL_MACHINE, for the
// library and for the tests that set up and read what it reads and stores.
#ifndef REGISTRYPATHS_H
#define REGISTRYPATHS_H

#include <windows.h>

// Modems live in their device class, one instance key each. Their settings
// are kept in a key of our own: Windows asks that nobody but the driver
// write into the device class keys.
const char kModemClassPath[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
const char kSettingsPath[] = "SOFTWARE\\Ostrevan\\Pelmora\\Modems";
// The serial ports the system knows, device name to port name.
const char kSerialPortsPath[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

// Every key in the 64-bit view: on 64-bit Windows the 32-bit build would
// otherwise keep the settings under SOFTWARE\WOW6432Node, where 64-bit
// readers of them do not look. 32-bit Windows ignores the flag.
const REGSAM kRegistryView = KEY_WOW64_64KEY;

#endif
