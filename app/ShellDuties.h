// What the configuration dialog does as a window of its own: the application
// icon, the About entry in the system menu, and the minimised picture.
#pragma once

#include <windows.h>

HICON loadApplicationIcon();

// Appends a separator and the About entry, unless the entry's text is empty
// or the window has no system menu.
void addAboutEntry(HWND dialog);

void setWindowIcons(HWND dialog, HICON icon);

// Windows uses a system command's low four bits itself, so they are masked.
bool isAboutCommand(UINT command);

// Draws the icon centred in the minimised window.
void paintMinimisedIcon(HWND dialog, HICON icon);
