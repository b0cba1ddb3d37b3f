// Text for the two output streams of PelmoraCtl. The modem records carry
// their texts in the ANSI code page; a console window shows text through its
// wide-character interface, while a pipe or a file receives the bytes as
// they are, so that a script reads the same text the record holds.
// Arguments are read as Unicode and kept in UTF-8, as are the messages that
// echo them: a console shows those whole, a pipe or a file gets them in the
// ANSI code page, like the list.
#ifndef CONSOLETEXT_H
#define CONSOLETEXT_H

#include <windows.h>

#include <string>

// Writes text, encoded in codePage, to stdout and returns 0. Output not
// written whole, which a script must not take for all of it, is said on
// stderr, and the write's error code returned for the exit status.
int writeOut(const std::string &text, UINT codePage = CP_ACP);
// Writes a message, in UTF-8, to stderr.
void writeErr(const std::string &utf8);

std::string utf8From(const std::wstring &wide);
std::string utf8FromAnsi(const char *ansiText);
// A character that has no form of its own in the ANSI code page becomes '?',
// never a look-alike: a full-width digit must not pass for a digit.
std::string ansiFromUtf8(const std::string &utf8);

// A byte as two lower-case hex digits, "1b", for the escapes of the list and
// of JSON. (printf's family would bring a fifth of the program with it.)
std::string hexByte(unsigned char byte);

// An ANSI text as one JSON string, quotes included, in UTF-8.
std::string jsonString(const char *ansiText);

// The system's message for a Win32 error code, with the code, in UTF-8:
// "Access is denied. (error 5)".
std::string systemText(int code);

#endif
