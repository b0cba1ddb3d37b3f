// The program's own texts, and the system's: UTF-8 inside the program, and
// shown through Windows' wide API, so that they read in the user's display
// language whatever the system's code page for non-Unicode programs. Only
// the settings records' texts, which the library keeps in that code page,
// go through the ANSI API.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A string of the program's string table, or "" when it has none.
std::string loadString(UINT id);

// The system's description of a Win32 error code, without the line break
// at its end, or "Error N." where the system has no text for it.
std::string systemErrorText(DWORD code);

// A text of the system's ANSI code page, such as a settings record's.
std::string utf8FromAnsi(const std::string &text);

// Null-terminated. No std::wstring: the static run-time's instance of it
// would add 40 KB to the program.
std::vector<wchar_t> wideText(const std::string &utf8);
std::string utf8Text(const wchar_t *text, int length);

// A message box of the program's texts.
void showMessage(HWND owner, const std::string &text, const std::string &caption, UINT style);
