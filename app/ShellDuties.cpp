#include "ShellDuties.h"

#include "resource.h"

HICON loadApplicationIcon()
{
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

// Wine converts a new window's icons for the window system as it creates the
// window, before WM_SETICON can set them: from the class, or else from the
// default icon that it loads for this. A class that carries the application
// icon spares that load, and the conversions of the default icon.
const wchar_t *dialogClassWithIcon(HICON icon)
{
    static const wchar_t name[] = L"OstrevanPelmoraDialog";
    WNDCLASSEXW dialogClass{};
    dialogClass.cbSize = sizeof dialogClass;
    if (!GetClassInfoExW(nullptr, MAKEINTRESOURCEW(0x8002), &dialogClass)) // WC_DIALOG
        return nullptr;
    dialogClass.hInstance = GetModuleHandleW(nullptr);
    dialogClass.hIcon = icon;
    dialogClass.hIconSm = icon;
    dialogClass.lpszClassName = name;
    // A later dialog of the same process finds the class registered.
    if (!RegisterClassExW(&dialogClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return name;
}

void addAboutEntry(HWND dialog)
{
    HMENU systemMenu = GetSystemMenu(dialog, FALSE);
    if (systemMenu == nullptr)
        return;
    wchar_t text[256] = L"";
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 256) <= 0)
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text);
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
