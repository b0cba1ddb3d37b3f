// Reads and closes a message box that another thread of this process shows.
#pragma once

#include <windows.h>

#include <string>

// Waits for the box with this caption, and returns its texts joined; ""
// when no such box appeared.
inline std::string answerMessageBox(const char *caption)
{
    HWND box = nullptr;
    for (int attempt = 0; attempt < 200 && box == nullptr; ++attempt, Sleep(25))
        box = FindWindowA(nullptr, caption);
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); box && child; child = GetWindow(child, GW_HWNDNEXT)) {
        char part[2048] = "";
        GetWindowTextA(child, part, sizeof part);
        text += part;
    }
    if (box != nullptr)
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
}
