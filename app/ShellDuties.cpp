#include "ShellDuties.h"

#include "Win32Text.h"
#include "resource.h"

HICON loadApplicationIcon()
{
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

void addAboutEntry(HWND dialog)
{
    HMENU systemMenu = GetSystemMenu(dialog, FALSE);
    if (systemMenu == nullptr)
        return;
    const std::string text = loadString(IDS_ABOUTBOX);
    if (text.empty())
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, wideText(text).data());
}

// Small first: Wine converts the icons the window has for the window manager
// on each WM_SETICON, and a window with no big icon yet has only the small
// one to convert the first time.
void setWindowIcons(HWND dialog, HICON icon)
{
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

bool isAboutCommand(UINT command) { return (command & 0xFFF0) == IDM_ABOUTBOX; }

void paintMinimisedIcon(HWND dialog, HICON icon)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    SendMessageW(dialog, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(dialog, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, icon);
    EndPaint(dialog, &paint);
}
