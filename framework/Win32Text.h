// Texts that the program reads from Windows: its own string table and the
// system's descriptions of error codes.
#pragma once

#include <windows.h>

#include <string>

// A string of the program's string table, or "" when it has none.
std::string loadString(UINT id);

// The system's description of a Win32 error code, without the line break
// at its end, or "Error N." where the system has no text for it.
std::string systemErrorText(DWORD code);
