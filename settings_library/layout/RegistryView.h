// The registry view of every key that the library, its tests and the
// benchmark open: the 64-bit one. On 64-bit Windows the 32-bit build would
// otherwise keep the settings under SOFTWARE\WOW6432Node, where 64-bit
// readers of them do not look. 32-bit Windows ignores the flag.
#ifndef REGISTRYVIEW_H
#define REGISTRYVIEW_H

#include <windows.h>

const REGSAM kRegistryView = KEY_WOW64_64KEY;

#endif
