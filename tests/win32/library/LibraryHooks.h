// The settings library's registry and heap calls, watched and steered from
// the test process: the loaded OvMohReg.dll's imports of ADVAPI32's Reg*
// functions and of KERNEL32's HeapAlloc, HeapReAlloc and HeapFree are
// pointed at wrappers of ours. What is tested is the shipped library, which
// has no hook of its own.
#ifndef LIBRARYHOOKS_H
#define LIBRARYHOOKS_H

#include <windows.h>

#include <cstddef>

struct LibraryCall {
    const char *function; // "RegOpenKeyExA", "HeapAlloc", ...
    // The room in the caller's buffer for a value's data; 0 without one.
    // ERROR_MORE_DATA is an answer the registry gives only to a call with
    // room for data, and truthfully only where a value may outgrow it.
    DWORD dataRoom;
};

// Called before each hooked call of the library. A result other than
// ERROR_SUCCESS fails the call: a registry function returns it instead of
// being called (a failed RegCloseKey still closes the key), HeapAlloc and
// HeapReAlloc return null. HeapFree always frees. ERROR_MORE_DATA, for a
// call with room for data, makes the call with no room instead, so that
// the registry answers as to a value that has outgrown the buffer.
using LibraryHook = LONG (*)(const LibraryCall &call);

// Points the library's imports at wrappers that call hook first (none: they
// only call through) and starts counting its keys and heap blocks afresh.
// Throws when the library imports a registry function that no wrapper
// stands for, or none at all.
void hookLibraryCalls(HMODULE library, LibraryHook hook);

// What the library opened or created, or allocated, since it was hooked and
// has not closed or freed.
size_t keysLeftOpen();
size_t heapBlocksLeft();

#endif
