// Text for the two output streams of PelmoraCtl. The modem records carry
// their texts in the ANSI code page; a console window shows text through its
// wide-character interface, while a pipe or a file receives the bytes as
// they are, so that a script reads the same text the record holds.
#ifndef CONSOLETEXT_H
#define CONSOLETEXT_H

#include <windows.h>

#include <string>

// Writes text, encoded in codePage, to STD_OUTPUT_HANDLE or STD_ERROR_HANDLE;
// returns 0, or the Win32 error code of a write that failed.
DWORD writeText(DWORD stream, const std::string &text, UINT codePage = CP_ACP);
inline DWORD writeOut(const std::string &text) { return writeText(STD_OUTPUT_HANDLE, text); }
inline void writeErr(const std::string &text) { writeText(STD_ERROR_HANDLE, text); }

// An ANSI text as one JSON string, quotes included, in UTF-8.
std::string jsonString(const char *ansiText);

// The system's message for a Win32 error code, with the code: "Access is
// denied. (error 5)".
std::string systemText(int code);

#endif
