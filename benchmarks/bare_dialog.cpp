// The reference for start-up: template 102 with the program's own manifest,
// its list filled at WM_INITDIALOG with as many entries as the command line
// says, and nothing else. What PelmoraConfig does beyond this is its cost.
#include "resource.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

INT_PTR CALLBACK bareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        HWND list = GetDlgItem(dialog, IDC_MODEM_LIST);
        for (int i = 0; i < static_cast<int>(lParam); ++i) {
            char entry[64];
            std::snprintf(entry, sizeof entry, "Benchmark modem %04d: Benchmark driver", i);
            SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const LPARAM entries = std::atoi(commandLine);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PELMORA_CONFIG), nullptr, bareDialogProc, entries);
    return 0;
}
