// The record's texts: fields of MODEM_TEXT_SIZE bytes holding text in the
// system's ANSI code page.
#ifndef TEXTFIELD_H
#define TEXTFIELD_H

#include <windows.h>

#include <cstddef>

// Copies length bytes of text into the field, NUL-terminated. A text too
// long is cut after its last whole character that fits, so that no half of a
// double-byte character is left at its end.
void copyToField(char *field, size_t fieldSize, const char *text, size_t length,
                 UINT codePage = GetACP());

#endif
